// Signals and slots: calls in order, disconnection when either side dies first (also in the
// middle of an emission), the slot registry, and connections stored in and re-created from XML.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/testsupport.h"
#include "tarn/utils/signalslot/csignal.h"
#include "tarn/utils/signalslot/cslotregistry.h"
#include "tarn/utils/signalslot/cssobject.h"
#include "tarn/utils/xml/cxmlfilesys.h"

using namespace tarn;

namespace {

std::string theCalls;

class CTestObject : public CSSObject {
public:
    explicit CTestObject(const std::string& name) : myName(name) {}
    std::string GetName() const override { return myName; }

    void TestSlot() { theCalls += myName + ";"; }
    int Other() {
        theCalls += myName + ".other;";
        return 1;
    }
    void Resize(int w, int h) { theCalls += myName + ".resize(" + std::to_string(w) + "," + std::to_string(h) + ");"; }
    void Unregistered() { theCalls += myName + ".unregistered;"; }

private:
    std::string myName;
};

// A second class with slots, registered after CTestObject: it becomes the current class.
class CPanel : public CSSObject {
public:
    explicit CPanel(const std::string& name) : myName(name) {}
    std::string GetName() const override { return myName; }
    void Close() { theCalls += myName + ".close;"; }

private:
    std::string myName;
};

const bool theRegistered = RegisterSlot("CTestObject", "TestSlot", &CTestObject::TestSlot) &&
                           RegisterSlot("CTestObject", "Other", &CTestObject::Other) &&
                           RegisterSlot("CTestObject", "Resize", &CTestObject::Resize) &&
                           RegisterSlot("CPanel", "Close", &CPanel::Close);

void FreeResize(int w, int h) { theCalls += "free(" + std::to_string(w) + "," + std::to_string(h) + ");"; }

// Holds a signal as a stored member, the way game objects do.
struct CAnnouncer {
    CSignal0 myDone;
    void Serialize(CXmlFileSys* filesys) { TARN_SERIALIZE(filesys, myDone, "done"); }
};

class SignalSlotTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(theRegistered);
        theCalls.clear();
    }
    void TearDown() override { testsupport::ResetEngine(); }
};

}  // namespace

TEST_F(SignalSlotTest, EmittingCallsEveryConnectionInOrder) {
    CTestObject a("a"), b("b");
    CSignal0 signal;
    signal();
    EXPECT_EQ(theCalls, "");
    signal.Connect(&b, &CTestObject::TestSlot);
    signal.Connect(&a, &CTestObject::Other);
    signal.Connect(&a, &CTestObject::TestSlot);
    signal();
    EXPECT_EQ(theCalls, "b;a.other;a;");

    theCalls.clear();
    CSignal2<int, int> resized;
    resized.Connect(&a, &CTestObject::Resize);
    resized.Connect(&FreeResize);
    resized.Connect(nullptr);
    resized(640, 480);
    EXPECT_EQ(theCalls, "a.resize(640,480);free(640,480);");
    EXPECT_EQ(a.GetConnectionCount(), 3);
}

TEST_F(SignalSlotTest, DeletingTheTargetFirstDisconnectsIt) {
    auto* a = new CTestObject("a");
    CTestObject b("b");
    CSignal0 signal, other;
    signal.Connect(a, &CTestObject::TestSlot);
    signal.Connect(&b, &CTestObject::TestSlot);
    signal.Connect(a, &CTestObject::Other);
    other.Connect(a, &CTestObject::TestSlot);
    delete a;
    signal();
    other();
    EXPECT_EQ(theCalls, "b;");
    EXPECT_EQ(signal.GetSlotCount(), 1);
    EXPECT_EQ(other.GetSlotCount(), 0);
}

TEST_F(SignalSlotTest, DeletingTheSignalFirstLeavesTheTargetClean) {
    CTestObject a("a");
    {
        CSignal0 signal;
        signal.Connect(&a, &CTestObject::TestSlot);
        CSignal2<int, int> resized;
        resized.Connect(&a, &CTestObject::Resize);
        EXPECT_EQ(a.GetConnectionCount(), 2);
    }
    EXPECT_EQ(a.GetConnectionCount(), 0);
}

TEST_F(SignalSlotTest, SlotsMayChangeConnectionsWhileTheSignalRuns) {
    struct CSelfDeleting : CSSObject {
        std::string GetName() const override { return "doomed"; }
        void Go() {
            theCalls += "go;";
            delete this;
        }
    };
    struct CRewirer : CSSObject {
        std::string GetName() const override { return "rewirer"; }
        void Go() {
            theCalls += "rewire;";
            mySignal->Connect(myOther, &CTestObject::TestSlot);
            if (myKill) delete myKill;
            myKill = nullptr;
        }
        CSignal0* mySignal = nullptr;
        CTestObject* myOther = nullptr;
        CTestObject* myKill = nullptr;
    };
    CTestObject late("late");
    auto* victim = new CTestObject("victim");
    CRewirer rewirer;
    CSignal0 signal;
    rewirer.mySignal = &signal;
    rewirer.myOther = &late;
    rewirer.myKill = victim;
    signal.Connect(new CSelfDeleting(), &CSelfDeleting::Go);
    signal.Connect(&rewirer, &CRewirer::Go);
    signal.Connect(victim, &CTestObject::TestSlot);
    signal();
    // The victim died before its turn; the connection added meanwhile waits for the next emission.
    EXPECT_EQ(theCalls, "go;rewire;");
    theCalls.clear();
    signal();
    EXPECT_EQ(theCalls, "rewire;late;");
    EXPECT_EQ(signal.GetSlotCount(), 3);
}

TEST_F(SignalSlotTest, ASlotMayDeleteItsSignalOrEmitItAgain) {
    struct CDeleter : CSSObject {
        std::string GetName() const override { return "deleter"; }
        void Go() {
            theCalls += "delete;";
            delete mySignal;
        }
        CSignal0* mySignal = nullptr;
    };
    struct CRepeater : CSSObject {
        std::string GetName() const override { return "repeater"; }
        void Go() {
            theCalls += "repeat;";
            if (myTimes-- > 0) (*mySignal)();
        }
        CSignal0* mySignal = nullptr;
        int myTimes = 2;
    };
    CTestObject after("after");
    CDeleter deleter;
    auto* signal = new CSignal0();
    deleter.mySignal = signal;
    signal->Connect(&deleter, &CDeleter::Go);
    signal->Connect(&after, &CTestObject::TestSlot);
    (*signal)();
    EXPECT_EQ(theCalls, "delete;");
    EXPECT_EQ(after.GetConnectionCount(), 0);
    EXPECT_EQ(deleter.GetConnectionCount(), 0);

    theCalls.clear();
    CRepeater repeater;
    CSignal0 again;
    repeater.mySignal = &again;
    again.Connect(&repeater, &CRepeater::Go);
    again.Connect(&after, &CTestObject::TestSlot);
    again();
    EXPECT_EQ(theCalls, "repeat;repeat;repeat;after;after;after;");
}

TEST_F(SignalSlotTest, ResolveSlotFindsTheObjectByNameAndTheSlotByClass) {
    CTestObject first("test1"), second("test2");
    CPanel panel("panel");
    CSignal0 signal;
    EXPECT_TRUE(signal.Connect(ResolveSlot("test1", "TestSlot")));
    EXPECT_TRUE(signal.Connect(ResolveSlot("test2", "TestSlot")));
    // CPanel registered last, so it is the current class; CTestObject's slots are still found.
    EXPECT_TRUE(signal.Connect(ResolveSlot("panel", "Close")));
    EXPECT_EQ(ResolveSlot("test1", "Close"), nullptr);
    EXPECT_EQ(ResolveSlot("nobody", "TestSlot"), nullptr);
    EXPECT_EQ(ResolveSlot("test1", "Missing"), nullptr);
    signal();
    EXPECT_EQ(theCalls, "test1;test2;panel.close;");
    EXPECT_EQ(FindObject("test2"), &second);
    EXPECT_EQ(FindObject("nobody"), nullptr);
    EXPECT_EQ(first.GetConnectionCount(), 1);
}

TEST_F(SignalSlotTest, FindObjectReturnsTheFirstCreatedOfAName) {
    CTestObject older("twin");
    auto* newer = new CTestObject("twin");
    EXPECT_EQ(FindObject("twin"), &older);
    delete newer;
    EXPECT_EQ(FindObject("twin"), &older);
}

TEST_F(SignalSlotTest, SlotNamesComeFromTheRegistry) {
    CTestObject object("test1");
    CSignal0 signal;
    signal.Connect(&object, &CTestObject::TestSlot);
    signal.Connect(&object, &CTestObject::Unregistered);
    EXPECT_EQ(GetSlotNames(signal.GetSlot(0)), std::make_pair(std::string("test1"), std::string("TestSlot")));
    EXPECT_EQ(GetSlotNames(signal.GetSlot(1)), std::make_pair(std::string(), std::string()));
    EXPECT_TRUE(signal.GetSlot(0)->IsSerializable());

    // Events are equal for the same function whatever the target; a clone keeps both.
    CTestObject other("other");
    CGenericEvent0<CTestObject, void> mine(&object, &CTestObject::TestSlot);
    CGenericEvent0<CTestObject, void> theirs(&other, &CTestObject::TestSlot);
    CGenericEvent0<CTestObject, int> different(&object, &CTestObject::Other);
    EXPECT_TRUE(mine.IsEqual(theirs));
    EXPECT_FALSE(mine.IsEqual(different));
    std::unique_ptr<IGenericEvent> clone(theirs.Clone());
    EXPECT_TRUE(clone->IsEqual(mine));
    EXPECT_EQ(clone->GetObject(), &other);
    CSGenericEvent2<void, int, int> free(&FreeResize);
    EXPECT_FALSE(free.IsEqual(mine));
    EXPECT_EQ(free.GetObject(), nullptr);
}

TEST_F(SignalSlotTest, StoredConnectionsAreRecreatedOnLoad) {
    testsupport::CTempDir dir;
    std::filesystem::create_directory("temp");
    auto* original = new CTestObject("test1");
    CSignal0 signal;
    signal.Connect(original, &CTestObject::TestSlot);
    signal.Connect(original, &CTestObject::Unregistered);  // has no name: not stored
    ASSERT_TRUE(XmlSave(signal, "temp/signal_test.xml", "rootelement"));
    EXPECT_EQ(testsupport::ReadFile("temp/signal_test.xml"),
              "<rootelement>\n"
              "  <Slot function=\"TestSlot\" target=\"test1\" >\n"
              "  </Slot>\n"
              "</rootelement>\n");
    delete original;

    CTestObject replacement("test1");
    CSignal0 loaded;
    ASSERT_TRUE(XmlLoad(loaded, "temp/signal_test.xml"));
    ASSERT_EQ(loaded.GetSlotCount(), 1);
    loaded();
    EXPECT_EQ(theCalls, "test1;");
}

TEST_F(SignalSlotTest, UnusableStoredConnectionsAreSkipped) {
    testsupport::CTempDir dir;
    testsupport::WriteFile("slots.xml",
                           "<root>\n"
                           "<Slot target=\"test1\"/>\n"
                           "<Slot function=\"TestSlot\"/>\n"
                           "<Slot target=\"ghost\" function=\"TestSlot\"/>\n"
                           "<Slot target=\"test1\" function=\"Nothing\"/>\n"
                           "<Slot target=\"test1\" function=\"Resize\"/>\n"
                           "<Other target=\"test1\" function=\"TestSlot\"/>\n"
                           "<Slot target=\"test1\" function=\"Other\"/>\n"
                           "</root>\n");
    CTestObject object("test1");
    CTestObject kept("kept");
    CSignal0 signal;
    signal.Connect(&kept, &CTestObject::TestSlot);
    ASSERT_TRUE(XmlLoad(signal, "slots.xml"));
    // Only "Other" fits: "Resize" takes two arguments, which this signal does not give.
    EXPECT_EQ(signal.GetSlotCount(), 2);
    EXPECT_EQ(object.GetConnectionCount(), 1);
    signal();
    EXPECT_EQ(theCalls, "kept;test1.other;");
}

TEST_F(SignalSlotTest, SignalsAreStoredAsMembers) {
    testsupport::CTempDir dir;
    CTestObject target("test2");
    CAnnouncer announcer;
    announcer.myDone.Connect(&target, &CTestObject::TestSlot);
    ASSERT_TRUE(XmlSave(announcer, "announcer.xml", "Announcer"));
    EXPECT_EQ(testsupport::ReadFile("announcer.xml"),
              "<Announcer>\n"
              "  <done>\n"
              "    <Slot function=\"TestSlot\" target=\"test2\" >\n"
              "    </Slot>\n"
              "  </done>\n"
              "</Announcer>\n");
    CAnnouncer loaded;
    ASSERT_TRUE(XmlLoad(loaded, "announcer.xml"));
    loaded.myDone();
    EXPECT_EQ(theCalls, "test2;");
}
