// Tests of the engine's command helper: the check, the action and where the usage goes.
#include <gtest/gtest.h>

#include <string>

#include "support/testsupport.h"
#include "tarn/tasks/cargumentcommand.h"
#include "tarn/tasks/cparameterlist.h"
#include "tarn/utils/logger/clogger.h"

using tarn::CArgumentCommand;
using tarn::CParameterList;

namespace {

std::string Echo(CParameterList& params) { return "ran " + params.GetString(0); }

}  // namespace

TEST(ArgumentCommand, TheUsageAnswersOrIsLoggedAndTheActionRunsOnlyOnPassingArguments) {
    testsupport::CTempDir dir;
    tarn::CLogger::DeleteSingleton();
    CParameterList text;
    text.AddString("a");
    CParameterList number;
    number.AddNumber(1);
    CParameterList none;
    CArgumentCommand answered("usage", CArgumentCommand::FirstIs(tarn::PARAM_STRING), &Echo);
    CArgumentCommand typed("usage", CArgumentCommand::FirstIs(tarn::PARAM_STRING), &Echo,
                           CArgumentCommand::EReport::ANSWER, "wrong");
    CArgumentCommand logged("logged usage", CArgumentCommand::FirstIs(tarn::PARAM_STRING), &Echo,
                            CArgumentCommand::EReport::LOG);
    CArgumentCommand free(&Echo);
    EXPECT_EQ(answered.Execute(&text), "ran a");
    EXPECT_EQ(answered.Execute(&number), "usage");
    EXPECT_EQ(answered.Execute(&none), "usage");
    EXPECT_EQ(answered.Execute(), "usage");
    EXPECT_EQ(typed.Execute(&number), "wrong");
    EXPECT_EQ(typed.Execute(), "usage");
    EXPECT_EQ(logged.Execute(&number), "");
    EXPECT_EQ(logged.Execute(&text), "ran a");
    EXPECT_EQ(free.Execute(), "ran ");
    EXPECT_EQ(free.Execute(&number), "ran 1");
    tarn::CLogger::DeleteSingleton();
    const std::string log = testsupport::LogBody();
    EXPECT_NE(log.find("logged usage\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("logged usage\n"), log.rfind("logged usage\n"));
}
