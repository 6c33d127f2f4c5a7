// The console's basic commands and the task factory: results, log lines, task naming,
// priorities, start-up arguments, task addressing and the kernel's teardown order.
#include <gtest/gtest.h>

#include "support/testsupport.h"
#include "tarn/tasks/capplication.h"
#include "tarn/tasks/cinterpreter.h"
#include "tarn/tasks/ckernel.h"
#include "tarn/tasks/cnamespaceregistry.h"
#include "tarn/tasks/ctaskfactory.h"
#include "tarn/tasks/ctaskmanager.h"
#include "tarn/utils/logger/clogger.h"

using namespace tarn;

namespace {

std::vector<std::string> theEvents;

// A task type with a private interpreter holding one command, "Say".
class CProbeTask : public CTask {
public:
    CProbeTask() {
        mySay.myOwner = this;
        myInterpreter.AddCommand("Say", &mySay);
    }
    bool Start(CParameterList* params) override {
        std::string args;
        for (int i = 0; i < params->Count(); ++i) args += "," + params->GetString(i);
        theEvents.push_back(GetName() + ".start(" + std::to_string(GetPriority()) + args + ")");
        return true;
    }
    void Update() override { theEvents.push_back(GetName()); }
    void OnStop() override { theEvents.push_back(GetName() + ".stop"); }
    void OnPause() override { theEvents.push_back(GetName() + ".pause"); }
    void OnResume() override { theEvents.push_back(GetName() + ".resume"); }
    bool ExecuteCommand(const std::string& line) override {
        myInterpreter.Execute(line, false);
        return true;
    }

private:
    class CSay : public CCommand {
    public:
        std::string Execute(CParameterList* params) override {
            theEvents.push_back(myOwner->GetName() + " says " + params->GetString(0));
            return std::string();
        }
        std::string Execute() override { return std::string(); }
        CProbeTask* myOwner = nullptr;
    };
    CSay mySay;
    CInterpreter myInterpreter;
};

CTaskRegistrar<CProbeTask> theProbeRegistrar("probe");

// "visit( name )" records name in theEvents.
class CVisitCommand : public CCommand {
public:
    std::string Execute(CParameterList* params) override {
        theEvents.push_back(params->GetString(0));
        return std::string();
    }
    std::string Execute() override { return std::string(); }
};

class BasicCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetEngine();
        theEvents.clear();
        myConsole = CKernel::GetSingleton()->GetConsole();
    }
    void TearDown() override { testsupport::ResetEngine(); }
    std::string Run(const std::string& line) { return myConsole->Execute(line, false); }
    // A task name no other test uses: the factory keeps every task until the process ends.
    std::string Unique(const std::string& base) { return base + std::to_string(++myCounter); }

    testsupport::CTempDir myDir;
    CInterpreter* myConsole = nullptr;
    static int myCounter;
};

int BasicCommandsTest::myCounter = 0;

using Events = std::vector<std::string>;

}  // namespace

TEST_F(BasicCommandsTest, QuitStopsTheLoopAndSaysByeBye) {
    EXPECT_EQ(Run("quit"), "bye bye");
    EXPECT_EQ(Run("quit( 1, 2 )"), "bye bye");
    const std::string name = Unique("q");
    Run("starttask( probe, " + name + " )");
    theEvents.clear();
    Run("quit()");
    CTaskManager::GetSingleton()->Run();
    EXPECT_EQ(theEvents, (Events{name, name + ".stop"}));
}

TEST_F(BasicCommandsTest, UsageErrorsWithoutAStringArgument) {
    struct Case {
        const char* line;
        const char* expected;
    } cases[] = {
        {"load", "Error: Load() You need to give a filename as a parameter."},
        {"load()", "Error: Load() You need to give a filename as a parameter."},
        {"load( 5 )", "Error: Load() You need to give a filename as a parameter."},
        {"taskload", "Error: TaskLoad() You need to give a task library name as a parameter."},
        {"starttask", "Error: StartTask( tasktype, taskname, priority ) requires atleast one parameter."},
        {"starttask( 12 )", "Error: StartTask( tasktype, taskname, priority ) requires atleast one parameter."},
        {"pausetask()", "Error: PauseTask( taskname ) requires atleast one parameter."},
        {"resumetask", "Error: ResumeTask( taskname ) requires atleast one parameter."},
        {"StopTask", "Error: StopTask( taskname ) requires atleast one parameter."},
    };
    for (const Case& c : cases) EXPECT_EQ(Run(c.line), c.expected) << c.line;
}

TEST_F(BasicCommandsTest, StartTaskNamesPrioritiesAndStartUpArguments) {
    const std::string name = Unique("w");
    EXPECT_EQ(Run("starttask( probe, " + name + ", 50, 640, 480, fullscreen )"), "probe started");
    EXPECT_EQ(theEvents.back(), name + ".start(50,640,480,fullscreen)");
    EXPECT_EQ(Run("starttask( probe, 500 )"), "probe started");
    EXPECT_EQ(theEvents.back(), "probe.start(500)");
    EXPECT_EQ(Run("starttask( probe, " + Unique("p") + ", -7.9 )"), "probe started");
    EXPECT_NE(theEvents.back().find(".start(-7)"), std::string::npos);
    EXPECT_EQ(Run("starttask( probe, " + Unique("p") + ", 1e99 )"), "probe started");  // "1e99" is a string
    EXPECT_NE(theEvents.back().find(".start(100,1e99)"), std::string::npos);
    ASSERT_NE(CTaskFactory::GetSingleton()->FindTask(name), nullptr);
    EXPECT_EQ(CTaskFactory::GetSingleton()->FindTask(name)->GetPriority(), 50);
}

TEST_F(BasicCommandsTest, UnknownTypeFailsAndIsLogged) {
    EXPECT_EQ(Run("starttask( nosuchtype )"), "failed to start nosuchtype");
    EXPECT_EQ(testsupport::LogBody(), "( ) [ERROR] Trying to start a task nosuchtype that doesn't exist.\n");
}

TEST_F(BasicCommandsTest, PauseResumeAndStopByName) {
    const std::string a = Unique("a"), b = Unique("b");
    Run("starttask( probe, " + a + ", 1 )");
    Run("starttask( probe, " + b + ", 2 )");
    EXPECT_EQ(Run("pausetask( " + a + " )"), "");
    theEvents.clear();
    CTaskManager::GetSingleton()->RunOnce();
    EXPECT_EQ(theEvents, Events{b});
    EXPECT_EQ(Run("resumetask( " + a + " )"), "");
    EXPECT_EQ(Run("stoptask( " + b + " )"), "");
    theEvents.clear();
    CTaskManager::GetSingleton()->RunOnce();
    EXPECT_EQ(theEvents, Events{a});
    EXPECT_EQ(testsupport::LogBody(), "( ) CTaskFactory::StopTask() called\n");
}

TEST_F(BasicCommandsTest, NamesOfNoTaskAreLogged) {
    EXPECT_EQ(Run("pausetask( ghost )"), "");
    EXPECT_EQ(Run("resumetask( ghost )"), "");
    EXPECT_EQ(Run("stoptask( mygame )"), "");
    EXPECT_EQ(testsupport::LogBody(),
              "( ) [ERROR] Trying to pause a task ghost that doesn't exist.\n"
              "( ) [ERROR] Trying to resume a task ghost that doesn't exist.\n"
              "( ) CTaskFactory::StopTask() called\n"
              "( ) [ERROR] Trying to stop a task mygame that doesn't exist.\n");
}

TEST_F(BasicCommandsTest, SecondTaskUnderATakenNameIsUnaddressable) {
    const std::string w = Unique("w");
    Run("starttask( probe, " + w + " )");
    CTask* first = CTaskFactory::GetSingleton()->FindTask(w);
    Run("starttask( probe, " + w + " )");
    EXPECT_EQ(CTaskFactory::GetSingleton()->FindTask(w), first);
    Run("stoptask( " + w + " )");
    theEvents.clear();
    CTaskManager::GetSingleton()->RunOnce();
    EXPECT_EQ(theEvents, Events{w});  // the second one still runs
}

TEST_F(BasicCommandsTest, TaskAddressedLinesReachTheTask) {
    const std::string w = Unique("win");
    Run("starttask( probe, " + w + " )");
    theEvents.clear();
    EXPECT_EQ(Run(w + "::Say( hello )"), "");
    EXPECT_EQ(theEvents, Events{w + " says hello"});
    EXPECT_EQ(Run("nowhere::Say( hi )"), "No namespace named space\n");
    EXPECT_EQ(testsupport::LogBody(), "( ) [ERROR] Sorry the namespace or task nowhere doesn't exist.\n");
}

TEST_F(BasicCommandsTest, TaskLoadNamesAreCaseSensitive) {
    static int loads = 0;
    CTaskFactory::GetSingleton()->AddTaskLibrary("testlib", [] { ++loads; });
    EXPECT_EQ(Run("taskload( TESTLIB )"), "");
    EXPECT_EQ(loads, 0);
    EXPECT_EQ(Run("TaskLoad( testlib )"), "");
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(Run("taskload( unknown )"), "");
}

TEST_F(BasicCommandsTest, LoadRunsAScriptOnceAndBoundsNestedLoads) {
    CVisitCommand visit;
    myConsole->AddCommand("visit", &visit);
    testsupport::WriteFile("more.txt", "visit( more )\n");
    EXPECT_EQ(Run("load( more.txt )"), "");
    EXPECT_EQ(Run("load( missing.txt )"), "");
    EXPECT_EQ(theEvents, Events{"more"});
#if !defined(_WIN32)
    EXPECT_EQ(Run("load( /dev/zero )"), "");  // read without end once: refused, and logged
    EXPECT_NE(testsupport::LogBody().find("Refused to read the file /dev/zero"), std::string::npos);
#endif

    // A script that loads itself (under any spelling of its path) runs once; the refusal
    // names the file and is logged, since a script's own lines discard their results.
    testsupport::WriteFile("self.txt", "visit( self )\nload( ./self.txt )\nload( self.txt )\n");
    theEvents.clear();
    EXPECT_EQ(Run("load( self.txt )"), "");
    EXPECT_EQ(theEvents, Events{"self"});
    EXPECT_NE(testsupport::LogBody().find("Error: Load() the file is already being loaded: ./self.txt"),
              std::string::npos);
    testsupport::WriteFile("outer.txt", "visit( outer )\nload( self.txt )\n");
    theEvents.clear();
    EXPECT_EQ(Run("load( outer.txt )"), "");  // self.txt no longer runs: it loads again
    EXPECT_EQ(theEvents, (Events{"outer", "self"}));

    // Two loads of the next file in each file double the work at each level: stopped at the bound.
    for (int i = 0; i < 12; ++i) {
        const std::string next = i < 11 ? "load( d" + std::to_string(i + 1) + ".txt )\n" : "";
        testsupport::WriteFile("d" + std::to_string(i) + ".txt", "visit( d )\n" + next + next);
    }
    theEvents.clear();
    EXPECT_EQ(Run("load( d0.txt )"), "");
    EXPECT_EQ(theEvents.size(), static_cast<std::size_t>(CInterpreter::kMaxNestedFiles) + 1);
    EXPECT_NE(testsupport::LogBody().find("Error: Load() too many files loaded by one script: d"), std::string::npos);
    theEvents.clear();
    EXPECT_EQ(Run("load( d10.txt )"), "");  // each outermost load starts a new count
    EXPECT_EQ(theEvents.size(), 3u);
    myConsole->RemoveCommand("visit");
}

TEST_F(BasicCommandsTest, EchoWritesLineAndResultToTheLog) {
    myConsole->Execute("quit", true);
    myConsole->Execute("x =", true);
    EXPECT_EQ(testsupport::LogBody(), "( ) quit\n( ) bye bye\n( ) x =\n");
}

TEST_F(BasicCommandsTest, ConsoleIsCreatedOnceAndRegistersOnce) {
    EXPECT_EQ(CKernel::GetSingleton()->GetConsole(), myConsole);
    CNamespace* basic = CNamespaceRegistry::GetSingleton()->FindNamespace("basic");
    ASSERT_NE(basic, nullptr);
    EXPECT_EQ(basic->GetCommands().size(), 7u);
    std::unique_ptr<CInterpreter> fresh(CKernel::GetSingleton()->CreateInterpreter());
    EXPECT_EQ(fresh->FindCommand("quit"), nullptr);
    testsupport::ResetEngine();
    CInterpreter* again = CKernel::GetSingleton()->GetConsole();
    EXPECT_EQ(basic->GetCommands().size(), 7u);
    EXPECT_NE(again->FindCommand("starttask"), nullptr);
}

TEST_F(BasicCommandsTest, ApplicationRunsTheScriptAndTearsDown) {
    testsupport::ResetEngine();
    const std::string name = Unique("app");
    testsupport::WriteFile("autoexec.txt", "starttask( probe, " + name + " )\nquit()\n");
    theEvents.clear();
    {
        CApplication application;
        application.Init(0, nullptr);
        EXPECT_EQ(application.Run(), 0);
        EXPECT_EQ(CTaskManager::GetExisting(), CTaskManager::GetSingleton());
    }
    EXPECT_EQ(theEvents, (Events{name + ".start(100)", name, name + ".stop"}));
    EXPECT_EQ(CTaskManager::GetExisting(), nullptr);
}
