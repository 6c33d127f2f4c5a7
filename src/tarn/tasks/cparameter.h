// The three kinds of command argument: empty, string and number.
// Number text is read by stream extraction (0 when it fails) and written with 6 significant digits.
#ifndef TARN_TASKS_CPARAMETER_H
#define TARN_TASKS_CPARAMETER_H

#include "tarn/tasks/iparameter.h"

namespace tarn {

// Reads a double the way stream extraction does: the longest valid prefix, 0 when none.
double ParseNumber(const std::string& text);
// Formats a double as default stream insertion does (6 significant digits).
std::string FormatNumber(double number);

class CEmptyParameter : public IParameter {
public:
    std::string GetString() const override { return std::string(); }
    double GetNumber() const override { return 0.0; }
    void SetString(const std::string&) override {}
    void SetNumber(double) override {}
    int GetType() const override { return PARAM_EMPTY; }
};

class CStringParameter : public IParameter {
public:
    explicit CStringParameter(const std::string& text) : myText(text) {}
    std::string GetString() const override { return myText; }
    double GetNumber() const override { return ParseNumber(myText); }
    void SetString(const std::string& text) override { myText = text; }
    void SetNumber(double number) override { myText = FormatNumber(number); }
    int GetType() const override { return PARAM_STRING; }

private:
    std::string myText;
};

class CNumberParameter : public IParameter {
public:
    explicit CNumberParameter(double number) : myNumber(number) {}
    std::string GetString() const override { return FormatNumber(myNumber); }
    double GetNumber() const override { return myNumber; }
    void SetString(const std::string& text) override { myNumber = ParseNumber(text); }
    void SetNumber(double number) override { myNumber = number; }
    int GetType() const override { return PARAM_NUMBER; }

private:
    double myNumber;
};

}  // namespace tarn

#endif
