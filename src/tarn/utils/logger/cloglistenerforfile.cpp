// Log listener that appends every line to a text file with a level prefix and indentation.
// The first listener for a file name in a run truncates it and writes a five-line header.
#include "tarn/utils/logger/cloglistenerforfile.h"

#include <cstdio>
#include <ctime>

namespace tarn {

namespace {

std::string& LastFileName() {
    static std::string name;
    return name;
}

#if defined(__clang__)
const char* const kCompiler = "clang " __clang_version__;
#elif defined(__GNUC__)
const char* const kCompiler = "gcc " __VERSION__;
#elif defined(_MSC_VER)
const char* const kCompiler = "Microsoft Visual C++";
#else
const char* const kCompiler = "an unknown compiler";
#endif

const std::string kDashes(62, '-');

// Appends raw bytes to the file (binary: lines end in "\n" on every system); a file that
// cannot be opened is silently skipped.
void AppendToFile(const std::string& fileName, const std::string& bytes) {
    std::FILE* file = std::fopen(fileName.c_str(), "ab");
    if (!file) return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::string LocalTime(const char* format) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char buffer[80];
    const size_t length = std::strftime(buffer, sizeof buffer, format, &local);
    return std::string(buffer, length);
}

}  // namespace

CLogListenerForFile::CLogListenerForFile(const std::string& fileName, const std::string& version, bool summary)
    : myFileName(fileName), myVersion(version), mySummary(summary), myDepth(0), myIndentUnit("  "),
      myMinLevel(LOG_NORMAL) {
    myPrefixes[LOG_ERROR] = "<!> ";
    myPrefixes[LOG_WARNING] = "(!) ";
    myPrefixes[LOG_NORMAL] = "( ) ";
    myPrefixes[LOG_DEBUG] = "(d) ";
    myPrefixes[LOG_INDENT_IN] = "(+) ";
    myPrefixes[LOG_INDENT_OUT] = "(-) ";

    if (fileName == LastFileName()) return;
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (file) std::fclose(file);
    LastFileName() = fileName;
    WriteHeader();
}

CLogListenerForFile::~CLogListenerForFile() {
    if (mySummary) WriteSummary();
}

void CLogListenerForFile::ResetLastFileName() { LastFileName().clear(); }

void CLogListenerForFile::WriteHeader() {
    Write(kDashes + "\n", LOG_NORMAL);
    Write("New log created on " + LocalTime("%a,%b %d,%I:%M %p") + "\n", LOG_NORMAL);
    Write("Using " + myVersion + "\n", LOG_NORMAL);
    Write(std::string("Build in ") + kCompiler + " at " + __DATE__ + " " + __TIME__ + "\n", LOG_NORMAL);
    Write(kDashes + "\n", LOG_NORMAL);
}

std::string CLogListenerForFile::PrefixFor(int level) {
    if (level == LOG_INDENT_IN) ++myDepth;
    if (level == LOG_INDENT_OUT) --myDepth;
    const auto found = myPrefixes.find(level);
    return found == myPrefixes.end() ? std::string() : found->second;
}

void CLogListenerForFile::Write(const std::string& text, int level) {
    if (level >= 0 && level < myMinLevel) return;
    if (mySummary && (level == LOG_WARNING || level == LOG_ERROR)) {
        mySummaryLines.push_back(LocalTime("%H:%M:%S") + (level == LOG_WARNING ? " [WARNING] " : " [ERROR] ") +
                                 text);
    }
    const std::string prefix = PrefixFor(level);
    if (text.empty()) return;

    std::string line = prefix;
    if (myDepth > 0) {
        for (int i = 0; i < myDepth; ++i) line += myIndentUnit;
    } else {
        myDepth = 0;
    }
    line += text;
    AppendToFile(myFileName, line);
}

void CLogListenerForFile::WriteSummary() const {
    std::string out = "\n------------------------" + myVersion + "------------------------\n\n";
    int errors = 0;
    int warnings = 0;
    for (const std::string& line : mySummaryLines) {
        out += line + "\n";
        if (line.find("[ERROR]") != std::string::npos) ++errors;
        if (line.find("[WARNING]") != std::string::npos) ++warnings;
    }
    out += "\n" + myVersion + " - " + std::to_string(errors) + " error(s), " + std::to_string(warnings) +
           " warning(s)\n";
    AppendToFile(myFileName, out);
}

}  // namespace tarn
