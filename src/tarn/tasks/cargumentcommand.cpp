// Commands built from a check, an action and a usage text.
#include "tarn/tasks/cargumentcommand.h"

#include <utility>

#include "tarn/tasks/cparameterlist.h"
#include "tarn/utils/logger/clogger.h"

namespace tarn {

CArgumentCommand::CArgumentCommand(Action action) : myAction(std::move(action)) {}

CArgumentCommand::CArgumentCommand(const char* usage, Check check, Action action, EReport report,
                                   const char* wrongUsage)
    : myUsage(usage),
      myWrongUsage(wrongUsage),
      myCheck(std::move(check)),
      myAction(std::move(action)),
      myReport(report) {}

std::string CArgumentCommand::Report(const char* usage) const {
    if (myReport == EReport::ANSWER) return usage;
    CLogger::GetSingleton()->Warning() << usage << "\n";
    return std::string();
}

std::string CArgumentCommand::Execute(CParameterList* params) {
    if (!params) return Execute();
    if (myCheck && !myCheck(*params)) return Report(myWrongUsage ? myWrongUsage : myUsage);
    return myAction(*params);
}

std::string CArgumentCommand::Execute() {
    if (myUsage) return Report(myUsage);
    CParameterList none;
    return myAction(none);
}

CArgumentCommand::Check CArgumentCommand::FirstIs(int type) {
    return [type](const CParameterList& params) { return params.Count() > 0 && params.IsType(0, type); };
}

CArgumentCommand::Check CArgumentCommand::AnyArguments() {
    return [](const CParameterList&) { return true; };
}

}  // namespace tarn
