// The main loop: priority order, pause, resume, stop, quit, timed tasks, activity pausing,
// and tasks that change the task lists from inside Update.
#include <gtest/gtest.h>

#include <functional>

#include "support/testsupport.h"
#include "tarn/tasks/cfakethread.h"
#include "tarn/tasks/cloopstats.h"
#include "tarn/tasks/ctask.h"
#include "tarn/tasks/ctaskmanager.h"

using namespace tarn;

namespace {

std::vector<std::string> theEvents;

// Records every call; an optional action runs inside Update.
class CProbeTask : public CTask {
public:
    CProbeTask(int priority, const std::string& name, bool startResult = true)
        : CTask(priority, name), myStartResult(startResult) {}
    bool Start() override {
        theEvents.push_back(GetName() + ".start");
        return myStartResult;
    }
    void Update() override {
        theEvents.push_back(GetName());
        ++myUpdates;
        if (myAction) myAction();
    }
    void OnStop() override { theEvents.push_back(GetName() + ".stop"); }
    void OnPause() override { theEvents.push_back(GetName() + ".pause"); }
    void OnResume() override { theEvents.push_back(GetName() + ".resume"); }
    bool PauseWhenInactive() const override { return myPauseWhenInactive; }

    std::function<void()> myAction;
    bool myStartResult;
    bool myPauseWhenInactive = false;
    int myUpdates = 0;
};

class TaskManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetEngine();
        theEvents.clear();
        myManager = CTaskManager::GetSingleton();
    }
    void TearDown() override { testsupport::ResetEngine(); }

    // Runs n frames and returns the events they produced.
    std::vector<std::string> Frames(int n) {
        theEvents.clear();
        for (int i = 0; i < n; ++i) myManager->RunOnce();
        return theEvents;
    }

    testsupport::CTempDir myDir;
    testsupport::CManualClock myClock{1000};
    CTaskManager* myManager = nullptr;
};

using Events = std::vector<std::string>;

}  // namespace

TEST_F(TaskManagerTest, UpdatesInAscendingPriorityNewcomersFirstAmongEquals) {
    CProbeTask a(100, "a"), b(10, "b"), c(1000, "c"), d(100, "d");
    myManager->AddTask(&a, nullptr);
    myManager->AddTask(&b, nullptr);
    myManager->AddTask(&c, nullptr);
    myManager->AddTask(&d, nullptr);
    EXPECT_EQ(Frames(2), (Events{"b", "d", "a", "c", "b", "d", "a", "c"}));
}

TEST_F(TaskManagerTest, FailedStartWaitsPausedUntilResumedWithoutRestart) {
    CProbeTask a(10, "a", false);
    myManager->AddTask(&a, nullptr);
    EXPECT_EQ(theEvents, Events{"a.start"});
    EXPECT_TRUE(myManager->GetTasks().empty());
    myManager->ResumeTask(&a);
    EXPECT_EQ(Frames(1), Events{"a"});
    EXPECT_EQ(theEvents.size(), 1u);
}

TEST_F(TaskManagerTest, PauseAndResumeMoveBetweenLists) {
    CProbeTask a(10, "a"), b(20, "b");
    myManager->AddTask(&a, nullptr);
    myManager->AddTask(&b, nullptr);
    myManager->PauseTask(&a);
    myManager->PauseTask(&a);  // not active any more: nothing happens
    EXPECT_EQ(Frames(1), (Events{"b"}));
    myManager->ResumeTask(&a);
    myManager->ResumeTask(&a);
    EXPECT_EQ(Frames(1), (Events{"a", "b"}));
    EXPECT_EQ(myManager->GetPausedTasks().size(), 1u);  // only "TimedTasks" waits there
}

TEST_F(TaskManagerTest, StopCallsOnStopOnceAndDropsTheTaskNextFrame) {
    CProbeTask a(10, "a"), b(20, "b");
    myManager->AddTask(&a, nullptr);
    myManager->AddTask(&b, nullptr);
    myManager->StopTask(&a);
    myManager->StopTask(&a);
    EXPECT_EQ(theEvents, (Events{"a.start", "b.start", "a.stop"}));
    EXPECT_EQ(Frames(2), (Events{"b", "b"}));
    EXPECT_EQ(myManager->GetTasks().size(), 1u);
}

TEST_F(TaskManagerTest, QuitFinishesThePassThenStopsActiveTasksOnly) {
    CProbeTask a(10, "a"), b(20, "b"), p(30, "p");
    a.myAction = [this] { myManager->Quit(); };
    myManager->AddTask(&a, nullptr);
    myManager->AddTask(&b, nullptr);
    myManager->AddTask(&p, nullptr);
    myManager->PauseTask(&p);
    theEvents.clear();
    EXPECT_EQ(myManager->Run(), 0);
    EXPECT_EQ(theEvents, (Events{"a", "b", "a.stop", "b.stop"}));
}

TEST_F(TaskManagerTest, RunWithoutTasksReturnsAtOnce) { EXPECT_EQ(myManager->Run(), 0); }

TEST_F(TaskManagerTest, TaskStoppingItselfInUpdate) {
    CProbeTask a(10, "a"), b(20, "b");
    a.myAction = [&] { myManager->StopTask(&a); };
    myManager->AddTask(&a, nullptr);
    myManager->AddTask(&b, nullptr);
    EXPECT_EQ(Frames(2), (Events{"a", "a.stop", "b", "b"}));
}

TEST_F(TaskManagerTest, TaskPausingTheNextTaskSkipsItThisFrame) {
    CProbeTask a(10, "a"), b(20, "b"), c(30, "c");
    a.myAction = [&] {
        if (a.myUpdates == 1) myManager->PauseTask(&b);
    };
    myManager->AddTask(&a, nullptr);
    myManager->AddTask(&b, nullptr);
    myManager->AddTask(&c, nullptr);
    EXPECT_EQ(Frames(2), (Events{"a", "b.pause", "c", "a", "c"}));
}

TEST_F(TaskManagerTest, TaskPausingItselfAndResumedByAnother) {
    CProbeTask a(10, "a"), b(20, "b");
    a.myAction = [&] { myManager->PauseTask(&a); };
    b.myAction = [&] {
        if (b.myUpdates == 2) myManager->ResumeTask(&a);
    };
    myManager->AddTask(&a, nullptr);
    myManager->AddTask(&b, nullptr);
    // a resumed by b goes in ahead of b's place: it runs again from the next frame.
    EXPECT_EQ(Frames(3), (Events{"a", "a.pause", "b", "b", "a.resume", "a", "a.pause", "b"}));
}

TEST_F(TaskManagerTest, TaskStartingTasksDuringThePass) {
    CProbeTask a(50, "a"), early(10, "early"), late(90, "late");
    a.myAction = [&] {
        if (a.myUpdates != 1) return;
        myManager->AddTask(&early, nullptr);
        myManager->AddTask(&late, nullptr);
    };
    myManager->AddTask(&a, nullptr);
    // The newcomer behind the cursor waits for the next frame; the one ahead runs now.
    EXPECT_EQ(Frames(2), (Events{"a", "early.start", "late.start", "late", "early", "a", "late"}));
}

TEST_F(TaskManagerTest, DestroyedTaskLeavesEveryList) {
    CProbeTask a(10, "a");
    myManager->AddTask(&a, nullptr);
    {
        CProbeTask gone(5, "gone");
        myManager->AddTask(&gone, nullptr);
        CProbeTask paused(5, "paused");
        myManager->AddTask(&paused, nullptr);
        myManager->PauseTask(&paused);
    }
    EXPECT_EQ(Frames(1), Events{"a"});
}

TEST_F(TaskManagerTest, TaskDestroyedByAnotherDuringThePass) {
    CProbeTask a(10, "a");
    auto victim = std::make_unique<CProbeTask>(20, "victim");
    a.myAction = [&] { victim.reset(); };
    myManager->AddTask(&a, nullptr);
    myManager->AddTask(victim.get(), nullptr);
    EXPECT_EQ(Frames(2), (Events{"a", "a"}));
}

TEST_F(TaskManagerTest, TimedTaskRunsByTheClockNotByFrames) {
    CProbeTask frame(10, "f"), timed(0, "t");
    timed.SetInterval(50);
    myManager->AddTask(&frame, nullptr);
    myManager->AddTask(&timed, nullptr);  // resumes "TimedTasks"
    EXPECT_EQ(Frames(3), (Events{"f", "f", "f"}));
    myClock.Advance(50);
    EXPECT_EQ(Frames(1), (Events{"f"}));  // due exactly now: runs once the clock has passed it
    myClock.Advance(1);
    EXPECT_EQ(Frames(1), (Events{"f", "t"}));
    myClock.Advance(160);  // a long frame: caught up in the same pass
    EXPECT_EQ(Frames(1), (Events{"f", "t", "t", "t"}));
}

TEST_F(TaskManagerTest, TimedTasksInterleaveByDueTime) {
    CProbeTask fast(0, "fast"), slow(0, "slow");
    fast.SetInterval(10);
    slow.SetInterval(25);
    myManager->AddTask(&slow, nullptr);
    myManager->AddTask(&fast, nullptr);
    myClock.Advance(31);
    EXPECT_EQ(Frames(1), (Events{"fast", "fast", "slow", "fast"}));
}

TEST_F(TaskManagerTest, StoppedTimedTaskNeverRunsAgain) {
    CProbeTask timed(0, "t");
    timed.SetInterval(10);
    myManager->AddTask(&timed, nullptr);
    myClock.Advance(11);
    Frames(1);
    myManager->StopTask(&timed);
    myManager->StopTask(&timed);
    myClock.Advance(100);
    EXPECT_EQ(Frames(2), Events{});
    EXPECT_TRUE(myManager->GetTimedTasks()->GetEntries().empty());
}

TEST_F(TaskManagerTest, TimedTaskPausingItselfAndResumingLater) {
    CProbeTask timed(0, "t");
    timed.SetInterval(10);
    timed.myAction = [&] { myManager->PauseTask(&timed); };
    myManager->AddTask(&timed, nullptr);
    myClock.Advance(100);
    EXPECT_EQ(Frames(1), (Events{"t", "t.pause"}));
    myManager->ResumeTask(&timed);
    myClock.Advance(10);
    EXPECT_EQ(Frames(1), Events{});
    myClock.Advance(1);
    EXPECT_EQ(Frames(1), (Events{"t", "t.pause"}));
}

TEST_F(TaskManagerTest, TimedTaskStoppingItselfIsNotCaughtUpAgain) {
    CProbeTask timed(0, "t");
    timed.SetInterval(10);
    timed.myAction = [&] { myManager->StopTask(&timed); };
    myManager->AddTask(&timed, nullptr);
    myClock.Advance(1000);
    EXPECT_EQ(Frames(2), (Events{"t", "t.stop"}));
}

TEST_F(TaskManagerTest, TimedTaskWithFailedStartWaitsForResume) {
    CProbeTask timed(0, "t", false);
    timed.SetInterval(10);
    myManager->AddTask(&timed, nullptr);
    myClock.Advance(50);
    EXPECT_TRUE(myManager->GetTasks().empty());
    EXPECT_EQ(myManager->GetTimedTasks()->GetPausedEntries().size(), 1u);
    myManager->ResumeTask(&timed);
    myClock.Advance(11);
    EXPECT_EQ(Frames(1), (Events{"t"}));
}

TEST_F(TaskManagerTest, TimedScheduleSurvivesTheClockWrap) {
    myClock.Set(0xFFFFFFF0u);
    CProbeTask timed(0, "t");
    timed.SetInterval(10);
    myManager->AddTask(&timed, nullptr);
    myClock.Advance(11);
    EXPECT_EQ(Frames(1), Events{"t"});
    myClock.Advance(11);  // past 2^32
    EXPECT_EQ(Frames(1), Events{"t"});
    EXPECT_EQ(Frames(1), Events{});
}

TEST_F(TaskManagerTest, QuitStopsTimedTasksThroughTimedTasks) {
    CProbeTask timed(0, "t"), frame(10, "f");
    timed.SetInterval(10);
    frame.myAction = [this] { myManager->Quit(); };
    myManager->AddTask(&timed, nullptr);
    myManager->AddTask(&frame, nullptr);
    theEvents.clear();
    EXPECT_EQ(myManager->Run(), 0);
    EXPECT_EQ(theEvents, (Events{"f", "f.stop", "t.stop"}));
}

TEST_F(TaskManagerTest, InactiveApplicationPausesOnlyTasksThatAsk) {
    CProbeTask a(10, "a"), b(20, "b");
    b.myPauseWhenInactive = true;
    myManager->AddTask(&a, nullptr);
    myManager->AddTask(&b, nullptr);
    theEvents.clear();
    myManager->GetActivityListener()->OnActivate(false);
    myManager->GetActivityListener()->OnActivate(false);
    EXPECT_EQ(theEvents, Events{"b.pause"});
    EXPECT_EQ(Frames(1), Events{"a"});
    theEvents.clear();
    myManager->GetActivityListener()->OnActivate(true);
    EXPECT_EQ(theEvents, Events{"b.resume"});
    EXPECT_EQ(Frames(1), (Events{"a", "b"}));
}

namespace {

// The loop's sleeps, taken on the manual clock instead of the wall clock.
std::vector<unsigned> theSleeps;
testsupport::CManualClock* theSleepClock = nullptr;

void RecordSleep(unsigned ms) {
    theSleeps.push_back(ms);
    theSleepClock->Advance(ms);
}

class CCountingThread : public CFakeThread {
public:
    void Run() override { theEvents.push_back("thread@" + std::to_string(GetGlobalTime())); }
};

class PacedLoopTest : public TaskManagerTest {
protected:
    void SetUp() override {
        TaskManagerTest::SetUp();
        theSleeps.clear();
        theSleepClock = &myClock;
        myManager->SetSleeper(&RecordSleep);
    }
    void TearDown() override {
        GetLoopSettings() = CLoopSettings();
        theSleepClock = nullptr;
        TaskManagerTest::TearDown();
    }
};

}  // namespace

TEST_F(PacedLoopTest, SleepsUntilTheEarliestWakeRequestTimedTaskOrFakeThread) {
    // Starting at 1000: the probe asks for 1005 and 1010, the fake thread (every 30 ms, due at
    // once) next runs at 1030, the timed task (every 40 ms) runs once the clock passed 1040;
    // without anything due sooner the loop waits one frame (1000 / 60 ms) at most.
    CProbeTask probe(10, "p"), timed(0, "t");
    timed.SetInterval(40);
    CCountingThread thread;
    thread.SetInterval(30);
    thread.Start();
    probe.myAction = [&] {
        theEvents.back() += "@" + std::to_string(GetGlobalTime());
        if (probe.myUpdates <= 2) myManager->WakeAt(GetGlobalTime() + 5);
        if (probe.myUpdates == 7) myManager->Quit();
    };
    myManager->AddTask(&probe, nullptr);
    myManager->AddTask(&timed, nullptr);
    theEvents.clear();
    EXPECT_EQ(myManager->Run(), 0);
    EXPECT_EQ(theSleeps, (std::vector<unsigned>{5, 5, 16, 4, 11, 16}));
    EXPECT_EQ(theEvents, (Events{"p@1000", "thread@1000", "p@1005", "p@1010", "p@1026", "p@1030", "thread@1030",
                                 "p@1041", "t", "p@1057", "p.stop", "t.stop"}));
}

TEST_F(PacedLoopTest, RequestsLastOnePassAndPausedTimedTasksKeepNobodyAwake) {
    CProbeTask probe(10, "p"), timed(0, "t");
    timed.SetInterval(10);
    myManager->AddTask(&probe, nullptr);
    myManager->AddTask(&timed, nullptr);
    myManager->PauseTask(myManager->GetTimedTasks());
    probe.myAction = [&] { myManager->WakeAt(GetGlobalTime() + 3); };
    myManager->RunOnce();
    EXPECT_EQ(myManager->TimeUntilDue(), 3u);
    myManager->WakeAt(GetGlobalTime() + 1);  // the earlier of two requests counts
    EXPECT_EQ(myManager->TimeUntilDue(), 1u);
    myManager->WakeAt(GetGlobalTime() - 5);  // overdue: no wait at all
    EXPECT_EQ(myManager->TimeUntilDue(), 0u);
    probe.myAction = nullptr;
    myClock.Advance(100);  // the timed task is long due, but "TimedTasks" is paused
    myManager->RunOnce();
    EXPECT_EQ(myManager->TimeUntilDue(), 16u);
    GetLoopSettings().myMaxFps = 200;
    EXPECT_EQ(myManager->TimeUntilDue(), 5u);
}

TEST_F(PacedLoopTest, UnpacedLoopRunsBackToBackAndYieldsOnlyWhileInactive) {
    GetLoopSettings().myMaxFps = 0;
    CProbeTask probe(10, "p");
    probe.myAction = [&] {
        myManager->WakeAt(GetGlobalTime() + 50);
        if (probe.myUpdates == 2) myManager->GetActivityListener()->OnActivate(false);
        if (probe.myUpdates == 4) myManager->Quit();
    };
    myManager->AddTask(&probe, nullptr);
    EXPECT_EQ(myManager->TimeUntilDue(), 0u);
    myManager->Run();
    EXPECT_EQ(probe.myUpdates, 4);
    EXPECT_EQ(theSleeps, (std::vector<unsigned>{0, 0}));
}

TEST_F(PacedLoopTest, HostThatRunsOnlyInSleepsGetsOneAfterEveryPassEvenWithWorkDue) {
    GetLoopSettings().myYieldEveryFrame = true;
    CProbeTask probe(10, "p");
    probe.myAction = [&] {
        myManager->WakeAt(GetGlobalTime());  // due at once: the paced loop has no wait
        if (probe.myUpdates == 3) myManager->Quit();
    };
    myManager->AddTask(&probe, nullptr);
    myManager->Run();
    EXPECT_EQ(theSleeps, (std::vector<unsigned>{0, 0}));
}

TEST_F(PacedLoopTest, StatsLineReportsRatesOncePerPeriod) {
    GetLoopSettings().myStatsSeconds = 1;
    CLoopStats& stats = GetLoopStats();
    stats.Reset();
    stats.Report(1000);  // starts the period
    for (int i = 0; i < 60; ++i) stats.Add(CLoopStats::FRAMES);
    stats.Add(CLoopStats::STEPS, 34);
    stats.Add(CLoopStats::SLEPT_MS, 1900);
    stats.Report(1999);
    EXPECT_EQ(testsupport::LogBody().find("loop:"), std::string::npos);
    stats.Report(3000);
    EXPECT_NE(testsupport::LogBody().find(
                  "loop: 2.0 s, passes/s 0.0, frames/s 30.0, flips/s 0.0, steps/s 17.0, asleep 95 %\n"),
              std::string::npos)
        << testsupport::LogBody();
    EXPECT_EQ(stats.Get(CLoopStats::FRAMES), 0u);
}

