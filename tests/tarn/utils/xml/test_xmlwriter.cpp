// The XML writer: its layout byte for byte, typed attribute values, nothing escaped, and
// writing then reading giving back the same tree, at any depth.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "support/testsupport.h"
#include "support/xmltesthelpers.h"
#include "tarn/utils/xml/cxmlwriter.h"
#include "tarn/utils/xml/xmltree.h"

using namespace tarn;
using testsupport::DumpXml;
using testsupport::ParseXmlLines;
using testsupport::WriteXmlText;

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

TEST(XmlWriter, LayoutIsByteExact) {
    CXmlNode list("LevelList");
    auto* level = new CXmlNode("Level");
    level->AddAttribute("position", 1);
    level->AddAttribute("filename", std::string("a.xml"));
    list.AddChild(level);
    EXPECT_EQ(WriteXmlText(list),
              "<LevelList>\n"
              "  <Level filename=\"a.xml\" position=\"1\" >\n"
              "  </Level>\n"
              "</LevelList>\n");

    CXmlNode integer("integer");
    integer.SetContent("20");
    EXPECT_EQ(WriteXmlText(integer), "<integer>\n  20\n</integer>\n");

    CXmlNode a("a");
    auto* b = new CXmlNode("b");
    auto* c = new CXmlNode("c");
    c->SetContent("deep text");
    b->AddChild(c);
    b->SetContent("b text");
    a.AddChild(b);
    a.AddChild(new CXmlNode("d"));
    EXPECT_EQ(WriteXmlText(a),
              "<a>\n"
              "  <b>\n"
              "    b text\n"
              "    <c>\n"
              "      deep text\n"
              "    </c>\n"
              "  </b>\n"
              "  <d>\n"
              "  </d>\n"
              "</a>\n");
}

TEST(XmlWriter, AttributeValuesAreWrittenAsTextInNameOrder) {
    CXmlNode node("v");
    node.AddAttribute("int", -7);
    node.AddAttribute("float", 2.5f);
    node.AddAttribute("double", 0.1234567);
    node.AddAttribute("bool", true);
    node.AddAttribute("text", std::string("two words"));
    node.AddAttribute("Upper", std::string(""));
    EXPECT_EQ(WriteXmlText(node),
              "<v Upper=\"\" bool=\"1\" double=\"0.123457\" float=\"2.5\" int=\"-7\" text=\"two words\" >\n"
              "</v>\n");
}

TEST(XmlWriter, NothingIsEscaped) {
    CXmlNode node("n");
    node.SetContent("a &lt; b & c > d");
    node.AddAttribute("q", std::string("<&>"));
    EXPECT_EQ(WriteXmlText(node), "<n q=\"<&>\" >\n  a < b & c > d\n</n>\n");
    std::ostringstream out;
    WriteXmlTree(nullptr, out);
    EXPECT_EQ(out.str(), "");
}

TEST(XmlWriter, WriteTreeGoesThroughTheVirtualTagWriters) {
    struct CCountingWriter : CXmlWriter {
        void WriteStartTag(const std::string& name, const CXmlAttributeMap& attributes,
                           std::ostream& out) override {
            ++starts;
            CXmlWriter::WriteStartTag(name, attributes, out);
        }
        void WriteEndTag(const std::string& name, std::ostream& out) override {
            ends += name;
            CXmlWriter::WriteEndTag(name, out);
        }
        int starts = 0;
        std::string ends;
    } writer;
    auto root = ParseXmlLines({"<a><b/><c><d/></c></a>"});
    std::ostringstream out;
    writer.WriteTree(*root, out);
    EXPECT_EQ(writer.starts, 4);
    EXPECT_EQ(writer.ends, "bdca");
    EXPECT_EQ(writer.GetDepth(), 0);
}

TEST(XmlWriter, PlainWritingGivesTheBytesOfTheOperations) {
    // Enough text to fill the plain writer's buffer many times, one content longer than the
    // buffer and typed values; a derived writer goes through the three operations instead.
    CXmlNode root("root");
    root.SetContent(std::string(100000, 'c'));
    for (int i = 0; i < 5000; ++i) {
        auto* node = new CXmlNode("item");
        node->AddAttribute("n", i);
        node->AddAttribute("f", 0.5f + static_cast<float>(i));
        node->AddAttribute("b", i % 2 == 0);
        node->AddAttribute("text", std::string(static_cast<std::size_t>(i % 40), 't'));
        root.AddChild(node);
    }
    struct CDerivedWriter : CXmlWriter {};
    std::ostringstream plain;
    std::ostringstream byOperations;
    CXmlWriter().WriteTree(root, plain);
    CDerivedWriter().WriteTree(root, byOperations);
    EXPECT_GT(plain.str().size(), 300000u);
    EXPECT_EQ(plain.str(), byOperations.str());
}

TEST(XmlWriter, WrittenTreesReadBackUnchanged) {
    // Names, attribute values and contents from the characters that survive a round trip.
    std::mt19937 random(4242);
    const std::string letters = "abcXYZ_019";
    const std::string valueChars = "ab 01=/:;.,'!?-";
    auto word = [&](const std::string& from, int min, int max) {
        std::string w;
        const int length = min + static_cast<int>(random() % (max - min + 1));
        for (int i = 0; i < length; ++i) w += from[random() % from.size()];
        return w;
    };
    for (int round = 0; round < 200; ++round) {
        CXmlNode root(word(letters, 1, 6));
        std::vector<CXmlNode*> nodes{&root};
        const int count = static_cast<int>(random() % 30);
        for (int i = 0; i < count; ++i) {
            auto* node = new CXmlNode(word(letters, 1, 6));
            const int attributes = static_cast<int>(random() % 4);
            for (int a = 0; a < attributes; ++a) {
                node->AddAttribute(word(letters, 1, 4), word(valueChars, 0, 10));
            }
            if (random() % 2) node->SetContent(word(letters, 1, 1) + word(valueChars, 0, 8) + "x");
            nodes[random() % nodes.size()]->AddChild(node);
            nodes.push_back(node);
        }
        const std::string written = WriteXmlText(root);
        auto read = ParseXmlLines(SplitLines(written));
        ASSERT_TRUE(read);
        // Attributes come back indexed by name: compare against the tree rewritten.
        EXPECT_EQ(WriteXmlText(*read), written);
        EXPECT_EQ(read->GetChildCount(), root.GetChildCount());
    }
}

TEST(XmlWriter, DeepTreesAreWrittenWithoutRecursion) {
    // Indentation grows with depth, so the deep tree goes to a stream that only counts.
    struct CCountingBuffer : std::streambuf {
        int_type overflow(int_type c) override {
            ++count;
            return c;
        }
        std::streamsize xsputn(const char*, std::streamsize n) override {
            count += n;
            return n;
        }
        long long count = 0;
    };
    auto chain = [](int depth) {
        auto root = std::make_unique<CXmlNode>("n");
        CXmlNode* tip = root.get();
        for (int i = 1; i < depth; ++i) {
            auto* child = new CXmlNode("n");
            tip->AddChild(child);
            tip = child;
        }
        tip->SetContent("leaf");
        return root;
    };
    const long long depth = 30000;
    CCountingBuffer counter;
    std::ostream out(&counter);
    WriteXmlTree(chain(depth).get(), out);
    // Per level: two lines of 2 * level spaces, "<n>\n" and "</n>\n"; then the leaf line.
    EXPECT_EQ(counter.count, 2 * depth * (depth - 1) + depth * 9 + 2 * depth + 5);

    const int shallow = 2000;
    const std::string written = WriteXmlText(*chain(shallow));
    const auto lines = SplitLines(written);
    ASSERT_EQ(lines.size(), 2u * shallow + 1);
    EXPECT_EQ(lines[shallow], std::string(2 * shallow, ' ') + "leaf");
    EXPECT_EQ(lines.back(), "</n>");
    EXPECT_EQ(WriteXmlText(*ParseXmlLines(lines)), written);
}

TEST(XmlWriter, FileRoundTripThroughLoadXmlTree) {
    testsupport::CTempDir dir;
    auto tree = ParseXmlLines({"<LevelList>", "<Level filename=\"a b.xml\" position=\"1\"/>",
                               "<Level filename=\"c.xml\" position=\"2\" completed=\"1\"/>", "</LevelList>"});
    {
        std::ofstream out("list.xml");
        WriteXmlTree(tree.get(), out);
    }
    std::unique_ptr<CXmlNode> loaded(LoadXmlTree("list.xml"));
    EXPECT_EQ(DumpXml(loaded.get()),
              "LevelList(Level[filename=a b.xml;position=1],Level[completed=1;filename=c.xml;position=2])");
}
