// Our XML dialect against standard tools: what our writer produces is well-formed XML that
// Python's xml.etree and xmllint read the same way, and files that xml.etree writes and
// pretty-prints are read into the same tree by our reader.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "support/testsupport.h"
#include "support/xmltesthelpers.h"
#include "tarn/utils/signalslot/csignal.h"
#include "tarn/utils/signalslot/cslotregistry.h"
#include "tarn/utils/xml/cxmlfilesys.h"
#include "tarn/utils/xml/xmltree.h"

using namespace tarn;
using testsupport::DumpXml;

namespace {

// Prints a file's tree in the compact form of DumpXml: name[attributes by name]'text'(children).
const char* const kDumpScript = R"(import sys
import xml.etree.ElementTree as ET

def dump(e):
    s = e.tag
    if e.attrib:
        s += '[' + ';'.join(k + '=' + v for k, v in sorted(e.attrib.items())) + ']'
    text = (e.text or '').strip()
    if text:
        s += "'" + text + "'"
    kids = [c for c in e if isinstance(c.tag, str)]
    if kids:
        s += '(' + ','.join(dump(c) for c in kids) + ')'
    return s

sys.stdout.write(dump(ET.parse(sys.argv[1]).getroot()))
)";

using testsupport::RunCommand;

bool HasPython() { return std::system("python3 -c 'import xml.etree.ElementTree' > /dev/null 2>&1") == 0; }
bool HasXmllint() { return std::system("xmllint --version > /dev/null 2>&1") == 0; }

// The tree as Python's xml.etree reads it.
std::string PythonDump(const std::string& file) {
    testsupport::WriteFile("dump.py", kDumpScript);
    const auto result = RunCommand("python3 dump.py " + file + " 2>&1");
    EXPECT_EQ(result.status, 0) << result.output;
    return result.output;
}

// Checks file with the standard parsers that are installed; false when none is.
bool ExpectStandardParsersAgree(const std::string& file, const std::string& expected) {
    bool checked = false;
    if (HasXmllint()) {
        const auto lint = RunCommand("xmllint --noout " + file + " 2>&1");
        EXPECT_EQ(lint.status, 0) << lint.output;
        checked = true;
    }
    if (HasPython()) {
        EXPECT_EQ(PythonDump(file), expected);
        checked = true;
    }
    std::unique_ptr<CXmlNode> ours(LoadXmlTree(file));
    EXPECT_EQ(DumpXml(ours.get()), expected);
    return checked;
}

struct CLevelEntry {
    std::string myFile;
    int myPosition = 0;
    bool myCompleted = false;

    void Serialize(CXmlFileSys* filesys) {
        if (filesys->IsReading()) {
            filesys->ReadAttribute("filename", myFile);
            filesys->ReadAttribute("position", myPosition);
            filesys->ReadAttribute("completed", myCompleted);
            return;
        }
        filesys->AddAttribute("filename", myFile);
        filesys->AddAttribute("position", myPosition);
        filesys->AddAttribute("completed", myCompleted);
    }
};

struct CLevelList {
    std::vector<CLevelEntry> myLevels;
    void Serialize(CXmlFileSys* filesys) {
        if (filesys->IsReading()) {
            filesys->ReadArray(myLevels, "Level");
        } else {
            filesys->WriteArray(myLevels, "Level");
        }
    }
};

struct CVector {
    float x = 0, y = 0;
    void Serialize(CXmlFileSys* filesys) {
        TARN_SERIALIZE(filesys, x, "x");
        TARN_SERIALIZE(filesys, y, "y");
    }
};

struct CBody {
    std::string myName;
    float myMass = 0;
    CVector myPosition;
    std::vector<float> myRadii;
    void Serialize(CXmlFileSys* filesys) {
        TARN_SERIALIZE(filesys, myName, "name");
        TARN_SERIALIZE(filesys, myMass, "mass");
        TARN_SERIALIZE(filesys, myPosition, "position");
        if (filesys->IsReading()) {
            filesys->ReadArray(myRadii, "radius");
        } else {
            filesys->WriteArray(myRadii, "radius");
        }
    }
};

struct CModel {
    int myVersion = 2;
    std::vector<CBody> myBodies;
    void Serialize(CXmlFileSys* filesys) {
        TARN_SERIALIZE(filesys, myVersion, "version");
        if (filesys->IsReading()) {
            filesys->ReadArray(myBodies, "Body");
        } else {
            filesys->WriteArray(myBodies, "Body");
        }
    }
};

class CScreen : public CSSObject {
public:
    explicit CScreen(const std::string& name) : myName(name) {}
    std::string GetName() const override { return myName; }
    void Show() {}
    void Hide() {}

private:
    std::string myName;
};

const bool theScreenSlots = RegisterSlot("CScreen", "Show", &CScreen::Show) && RegisterSlot("CScreen", "Hide", &CScreen::Hide);

}  // namespace

TEST(XmlInterop, LevelListWeWriteIsReadAlikeByStandardParsers) {
    testsupport::CTempDir dir;
    CLevelList list;
    list.myLevels = {{"data/levels/level 1.xml", 1, true}, {"data/levels/level2.xml", 2, false}};
    ASSERT_TRUE(XmlSave(list, "level_list.xml", "LevelList"));
    const bool checked = ExpectStandardParsersAgree(
        "level_list.xml",
        "LevelList(Level[completed=1;filename=data/levels/level 1.xml;position=1],"
        "Level[completed=0;filename=data/levels/level2.xml;position=2])");
    CLevelList loaded;
    ASSERT_TRUE(XmlLoad(loaded, "level_list.xml"));
    ASSERT_EQ(loaded.myLevels.size(), 2u);
    EXPECT_EQ(loaded.myLevels[0].myFile, "data/levels/level 1.xml");
    EXPECT_TRUE(loaded.myLevels[0].myCompleted);
    EXPECT_EQ(loaded.myLevels[1].myPosition, 2);
    if (!checked) GTEST_SKIP() << "neither python3 nor xmllint is installed";
}

TEST(XmlInterop, PhysicsModelWeWriteIsReadAlikeByStandardParsers) {
    testsupport::CTempDir dir;
    CModel model;
    model.myBodies = {{"floor", 0.f, {0.f, 470.5f}, {}}, {"marble red", 1.25f, {-3.f, 12.f}, {8.f, 16.5f}}};
    ASSERT_TRUE(XmlSave(model, "model.xml", "PhysicsModel"));
    const bool checked = ExpectStandardParsersAgree(
        "model.xml",
        "PhysicsModel(version'2',"
        "Body(name'floor',mass'0',position(x'0',y'470.5')),"
        "Body(name'marble red',mass'1.25',position(x'-3',y'12'),radius'8',radius'16.5'))");
    if (!checked) GTEST_SKIP() << "neither python3 nor xmllint is installed";
}

TEST(XmlInterop, FilesPrettyPrintedByPythonAreRead) {
    if (!HasPython()) GTEST_SKIP() << "python3 with xml.etree is not installed";
    testsupport::CTempDir dir;
    testsupport::WriteFile("make.py", R"(import xml.etree.ElementTree as ET
root = ET.Element('MarblesLevel', {'name': 'First steps', 'time': '120'})
root.append(ET.Comment(' written by xml.etree '))
model = ET.SubElement(root, 'PhysicsModel')
ET.SubElement(model, 'Body', {'type': 'red', 'x': '100', 'y': '-20.5'})
ET.SubElement(model, 'Body', {'type': 'blue', 'x': '140', 'y': '0'})
ET.SubElement(model, 'Empty')
note = ET.SubElement(root, 'note')
note.text = 'a < b & c > "d" \'e\''
deep = root
for i in range(50):
    deep = ET.SubElement(deep, 'level', {'depth': str(i)})
deep.text = 'bottom'
ET.indent(root)
ET.ElementTree(root).write('plain.xml', encoding='unicode')
ET.ElementTree(root).write('declared.xml', encoding='utf-8', xml_declaration=True)
)");
    const auto made = RunCommand("python3 make.py 2>&1");
    ASSERT_EQ(made.status, 0) << made.output;
    for (const char* file : {"plain.xml", "declared.xml"}) {
        std::unique_ptr<CXmlNode> ours(LoadXmlTree(file));
        ASSERT_TRUE(ours) << file;
        EXPECT_EQ(DumpXml(ours.get()), PythonDump(file)) << file;
        ASSERT_EQ(ours->GetChildCount(), 3);
        const CXmlNode* body = ours->GetChild(0)->GetChild(0);
        EXPECT_EQ(body->GetName(), "Body");
        EXPECT_EQ(body->GetAttribute("y").Get<float>(), -20.5f);
        EXPECT_EQ(ours->GetChild(1)->GetContent(), "a < b & c > \"d\" 'e'");
    }
}

TEST(XmlInterop, StoredSignalIsReadAlikeByStandardParsers) {
    ASSERT_TRUE(theScreenSlots);
    testsupport::CTempDir dir;
    CScreen complete("level complete"), lost("level_lost");
    CSignal0 signal;
    signal.Connect(&complete, &CScreen::Show);
    signal.Connect(&lost, &CScreen::Hide);
    ASSERT_TRUE(XmlSave(signal, "signal.xml", "rootelement"));
    const bool checked = ExpectStandardParsersAgree(
        "signal.xml",
        "rootelement(Slot[function=Show;target=level complete],Slot[function=Hide;target=level_lost])");
    if (!checked) GTEST_SKIP() << "neither python3 nor xmllint is installed";
}
