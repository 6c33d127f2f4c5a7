// The process-wide logger: text streamed into it becomes whole lines delivered to its listeners.
// Its own file listener writes every line to "log.txt" (or the file set for the process); the
// kernel owns its deletion.
#include "tarn/utils/logger/clogger.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "tarn/utils/logger/cloglistenerforfile.h"

namespace tarn {

namespace {

CLogger* theLogger = nullptr;

// One pending line for the whole process: it survives a logger being deleted and re-created.
std::string& PendingLine() {
    static std::string pending;
    return pending;
}

std::string& FileName() {
    static std::string fileName = "log.txt";
    return fileName;
}

std::list<ILogListener*>& PermanentListeners() {
    static std::list<ILogListener*> listeners;
    return listeners;
}

}  // namespace

CLogger* CLogger::GetSingleton() {
    if (!theLogger) theLogger = new CLogger();
    return theLogger;
}

void CLogger::DeleteSingleton() {
    delete theLogger;
    theLogger = nullptr;
}

void CLogger::SetFileName(const std::string& fileName) {
    FileName() = fileName;
    if (!theLogger) return;
    theLogger->myListeners.remove(theLogger->myDefaultListener.get());
    theLogger->myDefaultListener.reset(new CLogListenerForFile(fileName, "Tarn version 0.22", false));
    theLogger->myDefaultListener->SetMinLevel(LOG_DEBUG);
    theLogger->myListeners.push_front(theLogger->myDefaultListener.get());
}

const std::string& CLogger::GetFileName() { return FileName(); }

CLogger::CLogger() : myLevel(LOG_NORMAL) {
    myDefaultListener.reset(new CLogListenerForFile(FileName(), "Tarn version 0.22", false));
    myDefaultListener->SetMinLevel(LOG_DEBUG);
    myListeners.push_back(myDefaultListener.get());
    for (ILogListener* listener : PermanentListeners()) myListeners.push_back(listener);
}

CLogger::~CLogger() {
    myListeners.remove(myDefaultListener.get());
    myDefaultListener.reset();
}

CLogger& CLogger::Error() {
    myLevel = LOG_ERROR;
    return *this;
}

CLogger& CLogger::Warning() {
    myLevel = LOG_WARNING;
    return *this;
}

CLogger& CLogger::Debug() {
    myLevel = LOG_DEBUG;
    return *this;
}

void CLogger::Write(const std::string& text) {
    std::string& pending = PendingLine();
    for (char c : text) {
        if (c == '\n' || c == '\r' || c == '\0') {
            Deliver(pending + "\n", myLevel);
            pending.clear();
        } else {
            pending += c;
        }
    }
}

void CLogger::Print(const char* format, ...) {
    if (!format) return;
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    Write(buffer);
}

void CLogger::IndentIn() { Deliver(std::string(), LOG_INDENT_IN); }

void CLogger::IndentOut() { Deliver(std::string(), LOG_INDENT_OUT); }

void CLogger::AddListener(ILogListener* listener) {
    if (listener) myListeners.push_back(listener);
}

void CLogger::RemoveListener(ILogListener* listener) {
    const auto found = std::find(myListeners.begin(), myListeners.end(), listener);
    if (found != myListeners.end()) myListeners.erase(found);
}

void CLogger::AddPermanentListener(ILogListener* listener) {
    if (!listener) return;
    PermanentListeners().push_back(listener);
    if (theLogger) theLogger->AddListener(listener);
}

void CLogger::RemovePermanentListener(ILogListener* listener) {
    PermanentListeners().remove(listener);
    if (theLogger) theLogger->RemoveListener(listener);
}

void CLogger::Deliver(const std::string& text, int level) {
    // A listener may remove itself while being called; walk a copy.
    const std::list<ILogListener*> listeners = myListeners;
    for (ILogListener* listener : listeners) listener->Write(text, level);
}

CLogIndent::CLogIndent(CLogger* logger) : myLogger(logger) {
    if (myLogger) myLogger->IndentIn();
}

CLogIndent::~CLogIndent() {
    if (myLogger) myLogger->IndentOut();
}

}  // namespace tarn
