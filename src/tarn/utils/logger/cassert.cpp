// The assertion statement's reporter: writes the report to the log and calls the handler.
// The default handler returns, so the program continues after the statement.
#include "tarn/utils/logger/cassert.h"

#include "tarn/utils/logger/clogger.h"

namespace tarn {

namespace {

void ReturnAtOnce(CAssertReport*) {}

AssertHandler theHandler = &ReturnAtOnce;
CAssertReport* theReport = nullptr;

}  // namespace

AssertHandler GetAssertHandler() { return theHandler; }

void SetAssertHandler(AssertHandler handler) { theHandler = handler ? handler : &ReturnAtOnce; }

CAssertReporter::CAssertReporter(const char* expression, const char* file, int line) {
    if (!theReport) theReport = new CAssertReport();
    const std::string message = std::string("[ERROR] Assertion failed in file: ") + file +
                                " at line: " + std::to_string(line) + "\n\nExpression: '" + expression +
                                "'\n\n";
    CLogger* logger = CLogger::GetSingleton();
    logger->Write(message);
    logger->Write("Values: ");
    theReport->myFile = file;
    theReport->myLine = line;
    theReport->myExpression = expression;
    theReport->myMessage = message;
}

void CAssertReporter::AddValue(const char* typeName, const char* name, CValueRef* value) {
    CLogger::GetSingleton()->Write(std::string(name) + " = " + value->ToText() + "\n        ");
    theReport->myValues.push_back(CAssertValue{typeName, name, true, std::shared_ptr<CValueRef>(value)});
}

CAssertReporter::~CAssertReporter() {
    theHandler(theReport);
    delete theReport;
    theReport = nullptr;
    CLogger::GetSingleton()->Write("Handled\n");
}

}  // namespace tarn
