// The process-wide logger: text streamed into it becomes whole lines delivered to its listeners.
// Its own file listener writes every line to "log.txt"; the kernel owns its deletion.
#ifndef TARN_UTILS_LOGGER_CLOGGER_H
#define TARN_UTILS_LOGGER_CLOGGER_H

#include <list>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

#include "tarn/utils/logger/iloglistener.h"

namespace tarn {

class CLogListenerForFile;

class CLogger {
public:
    // Creates the logger (and its "log.txt" listener) on first call. Never null.
    static CLogger* GetSingleton();
    // Deletes the logger; the next GetSingleton creates a new one that continues "log.txt".
    static void DeleteSingleton();
    // The file the logger writes, "log.txt" (in the working directory) unless set. Setting it
    // moves a logger that already exists to the new file; later loggers continue it.
    static void SetFileName(const std::string& fileName);
    static const std::string& GetFileName();

    CLogger();
    ~CLogger();
    CLogger(const CLogger&) = delete;
    CLogger& operator=(const CLogger&) = delete;

    // Select the level of every later line, from any code, until another of these is called.
    CLogger& Error();
    CLogger& Warning();
    CLogger& Debug();
    int GetLevel() const { return myLevel; }

    // Splits text into lines at "\n", "\r" and "\0"; text without a line end stays pending.
    void Write(const std::string& text);
    // printf-style; results longer than 1023 characters are cut.
    void Print(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    void IndentIn();
    void IndentOut();

    // The caller keeps ownership and must remove a listener before deleting it. Null is ignored.
    void AddListener(ILogListener* listener);
    void RemoveListener(ILogListener* listener);
    // A listener for the whole process: it joins the current logger (if any) and every logger
    // created later, without creating one. The caller keeps ownership. Null is ignored.
    static void AddPermanentListener(ILogListener* listener);
    static void RemovePermanentListener(ILogListener* listener);

    template <typename T>
    CLogger& operator<<(const T& value) {
        std::ostringstream out;
        out << value;
        Write(out.str());
        return *this;
    }
    CLogger& operator<<(const std::string& text) {
        Write(text);
        return *this;
    }
    CLogger& operator<<(const char* text) {
        Write(text ? text : "");
        return *this;
    }
    // Manipulators such as std::endl write their characters.
    CLogger& operator<<(std::ostream& (*manipulator)(std::ostream&)) {
        std::ostringstream out;
        manipulator(out);
        Write(out.str());
        return *this;
    }

private:
    void Deliver(const std::string& text, int level);

    std::list<ILogListener*> myListeners;
    std::unique_ptr<CLogListenerForFile> myDefaultListener;
    int myLevel;
};

// Indents the log lines written while it is alive.
class CLogIndent {
public:
    explicit CLogIndent(CLogger* logger);
    ~CLogIndent();
    CLogIndent(const CLogIndent&) = delete;
    CLogIndent& operator=(const CLogIndent&) = delete;

private:
    CLogger* myLogger;
};

}  // namespace tarn

#endif
