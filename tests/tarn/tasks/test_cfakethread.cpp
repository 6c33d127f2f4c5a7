// Fake threads: run order by urgency, their own pausable clocks, Kill and the registry's life.
#include <gtest/gtest.h>

#include <functional>

#include "support/testsupport.h"
#include "tarn/tasks/cfakethread.h"

using namespace tarn;

namespace {

std::vector<std::string> theRuns;

class CProbeThread : public CFakeThread {
public:
    CProbeThread(const std::string& name, types::ticks interval) : myName(name) { SetInterval(interval); }
    void Run() override {
        theRuns.push_back(myName);
        if (myAction) myAction();
    }
    std::string myName;
    std::function<void()> myAction;
};

class FakeThreadTest : public ::testing::Test {
protected:
    void SetUp() override { theRuns.clear(); }
    std::vector<std::string> Pass() {
        theRuns.clear();
        CFakeThread::RunFakeThreads(0);
        return theRuns;
    }
    testsupport::CManualClock myClock{0};
};

using Runs = std::vector<std::string>;

}  // namespace

TEST_F(FakeThreadTest, NothingRunsUntilStarted) {
    CProbeThread a("a", 10);
    myClock.Advance(100);
    EXPECT_EQ(Pass(), Runs{});
    a.Start();
    EXPECT_EQ(Pass(), Runs{"a"});  // due at once: next run starts at 0
    EXPECT_EQ(Pass(), Runs{});
    myClock.Advance(9);
    EXPECT_EQ(Pass(), Runs{});
    myClock.Advance(1);
    EXPECT_EQ(Pass(), Runs{"a"});
}

TEST_F(FakeThreadTest, MostOverdueRunsFirstAndEachAtMostOncePerPass) {
    CProbeThread a("a", 10), b("b", 30);
    a.Start();
    b.Start();
    EXPECT_EQ(Pass(), (Runs{"a", "b"}));
    myClock.Advance(100);  // a overdue by 90, b by 70
    EXPECT_EQ(Pass(), (Runs{"a", "b"}));
    myClock.Advance(25);  // a overdue by 15, b not due until 5 later
    EXPECT_EQ(Pass(), (Runs{"a"}));
    myClock.Advance(40);  // a overdue by 30, b by 35
    EXPECT_EQ(Pass(), (Runs{"b", "a"}));
}

TEST_F(FakeThreadTest, PausedClockDoesNotAdvance) {
    CProbeThread a("a", 100);
    a.Start();
    Pass();
    myClock.Advance(60);
    a.Pause();
    myClock.Advance(1000);
    EXPECT_EQ(Pass(), Runs{});
    a.Resume();
    myClock.Advance(39);
    EXPECT_EQ(Pass(), Runs{});
    myClock.Advance(1);
    EXPECT_EQ(Pass(), Runs{"a"});
}

TEST_F(FakeThreadTest, PausedThreadDoesNotBlockOthers) {
    CProbeThread a("a", 10), b("b", 10);
    a.Start();
    b.Start();
    a.Pause();
    myClock.Advance(50);
    EXPECT_EQ(Pass(), Runs{"b"});
}

TEST_F(FakeThreadTest, KilledThreadIsDeletedAndTheRegistryGoes) {
    auto* killed = new CProbeThread("k", 10);
    killed->Start();
    killed->Kill();
    ASSERT_NE(CFakeThread::GetRegistry(), nullptr);
    EXPECT_EQ(Pass(), Runs{});
    EXPECT_EQ(CFakeThread::GetRegistry(), nullptr);  // the scheduler deleted the only thread
    EXPECT_EQ(Pass(), Runs{});
}

TEST_F(FakeThreadTest, ThreadKillingItselfOrDestroyingAnotherInRun) {
    CProbeThread* self = new CProbeThread("self", 10);
    auto other = std::make_unique<CProbeThread>("other", 10);
    CProbeThread keeper("keeper", 10);
    self->myAction = [&] {
        self->Kill();
        other.reset();
    };
    self->Start();
    other->Start();
    keeper.Start();
    myClock.Advance(5);
    const Runs first = Pass();
    EXPECT_EQ(first.front(), "self");
    EXPECT_EQ(std::count(first.begin(), first.end(), "other"), 0);
    myClock.Advance(20);
    EXPECT_EQ(Pass(), Runs{"keeper"});
    ASSERT_NE(CFakeThread::GetRegistry(), nullptr);
    EXPECT_EQ(CFakeThread::GetRegistry()->size(), 1u);
}

TEST_F(FakeThreadTest, PositiveBudgetRepeatsTheMostUrgentThread) {
    CProbeThread a("a", 0);
    a.Start();
    int runs = 0;
    a.myAction = [&] {
        if (++runs == 3) myClock.Advance(5);  // the budget is spent on the third run
    };
    theRuns.clear();
    CFakeThread::RunFakeThreads(5);
    EXPECT_EQ(runs, 3);
}

TEST_F(FakeThreadTest, EmptyRegistryDoesNothing) {
    EXPECT_EQ(CFakeThread::GetRegistry(), nullptr);
    EXPECT_EQ(Pass(), Runs{});
}
