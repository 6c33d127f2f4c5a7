// Log listener that appends every line to a text file with a level prefix and indentation.
// The first listener for a file name in a run truncates it and writes a five-line header.
#ifndef TARN_UTILS_LOGGER_CLOGLISTENERFORFILE_H
#define TARN_UTILS_LOGGER_CLOGLISTENERFORFILE_H

#include <list>
#include <map>
#include <string>

#include "tarn/utils/logger/iloglistener.h"

namespace tarn {

class CLogListenerForFile : public ILogListener {
public:
    // Opens (truncating) or continues fileName; a file that cannot be opened makes writes no-ops.
    CLogListenerForFile(const std::string& fileName, const std::string& version, bool summary);
    // Appends the warning and error summary when the summary switch is on.
    ~CLogListenerForFile() override;

    void Write(const std::string& text, int level) override;
    void SetMinLevel(int level) { myMinLevel = level; }
    int GetDepth() const { return myDepth; }

    // Forgets the last file name, so the next listener starts a fresh file (used by tests).
    static void ResetLastFileName();

private:
    void WriteHeader();
    void WriteSummary() const;
    std::string PrefixFor(int level);

    std::string myFileName;
    std::string myVersion;
    bool mySummary;
    int myDepth;
    std::string myIndentUnit;
    std::list<std::string> mySummaryLines;
    std::map<int, std::string> myPrefixes;
    int myMinLevel;
};

}  // namespace tarn

#endif
