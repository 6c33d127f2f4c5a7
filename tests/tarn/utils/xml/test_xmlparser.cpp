// The line-based XML reader and tree builder: known-answer tables for the dialect, the events
// it delivers, and bad input (unterminated tags, huge lines, binary bytes, deep nesting).
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>

#include "support/testsupport.h"
#include "support/xmltesthelpers.h"
#include "tarn/utils/string/stringutils.h"
#include "tarn/utils/xml/cxmlparser.h"
#include "tarn/utils/xml/cxmltreebuilder.h"
#include "tarn/utils/xml/xmltree.h"

using namespace tarn;
using testsupport::DumpXml;
using testsupport::ParseXmlLines;
using Lines = std::vector<std::string>;

namespace {

// Records every event as one short text.
class CRecorder : public CXmlHandler {
public:
    void StartDocument() override { events.push_back("begin"); }
    void EndDocument() override { events.push_back("end"); }
    void Characters(const std::string& text) override { events.push_back("text:" + text); }
    void StartElement(const std::string& name, const CXmlAttributeMap& attributes) override {
        std::string event = "<" + name;
        for (const auto& attribute : attributes) event += "|" + attribute.first + "=" + attribute.second.ToText();
        events.push_back(event + ">");
    }
    void EndElement(const std::string& name) override { events.push_back("</" + name + ">"); }

    std::vector<std::string> events;
};

std::vector<std::string> Events(const Lines& lines) {
    CXmlParser parser;
    CRecorder recorder;
    parser.SetHandler(&recorder);
    for (const std::string& line : lines) parser.ParseLine(line);
    return recorder.events;
}

std::string Parse(const Lines& lines) { return DumpXml(ParseXmlLines(lines).get()); }

struct Case {
    Lines lines;
    const char* tree;
};

void ExpectTrees(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        std::string joined;
        for (const std::string& line : c.lines) joined += line + "|";
        EXPECT_EQ(Parse(c.lines), c.tree) << "input: " << joined;
    }
}

}  // namespace

TEST(XmlReader, TextIsTrimmedAndLinesAreJoinedWithNothing) {
    ExpectTrees({
        {{"<a> x </a>"}, "a'x'"},
        {{"<a>\t x y \t</a>"}, "a'x y'"},
        {{"<a>hello", "world</a>"}, "a'helloworld'"},
        {{"<a>hello ", "   world</a>"}, "a'helloworld'"},
        {{"<a>", "  20", "</a>"}, "a'20'"},
        {{"  <a>  ", "", "  </a>  "}, "a"},
        {{"<a>x<b/>y</a>"}, "a'y'(b)"},
        {{"<a>x<b/></a>"}, "a'x'(b)"},
    });
}

TEST(XmlReader, AttributesAreSplitAtBlanksOutsideQuotes) {
    ExpectTrees({
        {{"<a b=\"1\" c=\"two words\">", "</a>"}, "a[b=1;c=two words]"},
        {{"<a z=\"1\" b=\"2\" m=\"3\"></a>"}, "a[b=2;m=3;z=1]"},
        {{"<a b=\"x = y\"></a>"}, "a[b=x = y]"},
        {{"<a b = \"1\"></a>"}, "a[b=1]"},
        {{"<a\tb=\"1\"\tc=\"2\"></a>"}, "a[b=1;c=2]"},
        {{"<a b=\"1\" b=\"2\"></a>"}, "a[b=1]"},
        {{"<a   b=\"1\"></a>"}, "a[b=1]"},
        {{"<a b=\"\"></a>"}, "a[b=]"},
        {{"<a href=\"http://x.org/a::b\" c=\"//\"></a>"}, "a[c=//;href=http://x.org/a::b]"},
        // Quotes are dropped without being checked: an unquoted value loses its ends.
        {{"<a b=1 c=xyz></a>"}, "a[b=;c=y]"},
        // Without a blank between two attributes the rest is one value.
        {{"<a b=\"1\"c=\"2\"></a>"}, "a[b=1\"c=\"2]"},
        // An attribute spread over two lines joins without a blank.
        {{"<a b=\"1\"", "c=\"2\"></a>"}, "a[b=1\"c=\"2]"},
    });
}

TEST(XmlReader, AttributeOrderIsByName) {
    auto root = ParseXmlLines({"<a zeta=\"1\" alpha=\"2\" mid=\"3\"/>"});
    ASSERT_TRUE(root);
    ASSERT_EQ(root->GetAttributeCount(), 3);
    EXPECT_EQ(root->GetAttributeName(0), "alpha");
    EXPECT_EQ(root->GetAttributeName(1), "mid");
    EXPECT_EQ(root->GetAttributeName(2), "zeta");
    EXPECT_TRUE(root->GetAttribute("mid").IsType<std::string>());
    EXPECT_EQ(root->GetAttribute("mid").Get<int>(), 3);
}

TEST(XmlReader, SelfClosingTagsCloseTheElement) {
    ExpectTrees({
        {{"<r><a/><b/></r>"}, "r(a,b)"},
        {{"<r><a /><b/></r>"}, "r(a,b)"},
        {{"<r><a b=\"1\" /><c/></r>"}, "r(a[b=1],c)"},
        // "/" right after the closing quote closes the element too; the value stays 1.
        {{"<r><a b=\"1\"/><c/></r>"}, "r(a[b=1],c)"},
        {{"<a/>"}, "a"},
    });
    EXPECT_EQ(Events({"<a b=\"1\"/>"}), (Lines{"<a|b=1>", "</a>"}));
}

TEST(XmlReader, CommentsAndDeclarationsProduceNothing) {
    ExpectTrees({
        {{"<r><!-- note --><a/></r>"}, "r(a)"},
        {{"<r>", "<!-- a comment -->", "<a/>", "</r>"}, "r(a)"},
        // A comment ends at "-->", not at the first ">".
        {{"<r><!-- a > b --></r>"}, "r"},
        {{"<r>", "<!--", "  <a/>", "  text", "-->", "<b/>", "</r>"}, "r(b)"},
        {{"<r><!-- x --", "><b/></r>"}, "r(b)"},
        {{"<r><!---->x</r>"}, "r'x'"},
        {{"<!DOCTYPE r>", "<r/>"}, "r"},
        {{"<?xml version=\"1.0\" encoding=\"utf-8\"?>", "<r><a/></r>"}, "r(a)"},
        {{"<r><?pi stuff?><a/></r>"}, "r(a)"},
    });
}

TEST(XmlReader, EntitiesAreReplacedInContentOnly) {
    ExpectTrees({
        {{"<a>&lt;&gt;&amp;&apos;&quot;</a>"}, "a'<>&'\"'"},
        {{"<a>&amp;lt;</a>"}, "a'&lt;'"},
        {{"<a>&amp;amp;</a>"}, "a'&'"},
        {{"<a>&amp;quot;</a>"}, "a'\"'"},
        {{"<a>&amp;apos;</a>"}, "a'''"},
        {{"<a>&#65; &nbsp; & ;</a>"}, "a'&#65; &nbsp; & ;'"},
        {{"<a b=\"&lt;\"></a>"}, "a[b=&lt;]"},
    });
}

TEST(XmlReader, EventsForTextAndTags) {
    EXPECT_EQ(Events({"<a>x</a>"}), (Lines{"<a>", "text:x", "</a>"}));
    EXPECT_EQ(Events({"<a>", "   ", "</a>"}), (Lines{"<a>", "</a>"}));
    EXPECT_EQ(Events({"<a", "b=\"1\">"}), (Lines{"<ab>"}));  // no blank: no attribute name
    EXPECT_EQ(Events({"<", "a", ">"}), (Lines{"<a>"}));
    EXPECT_EQ(Events({"</ a >"}), (Lines{"</ a>"}));
    EXPECT_EQ(Events({"<>", "< >"}), Lines{});
    EXPECT_EQ(Events({"<a>x\n\n</a>"}), (Lines{"<a>", "text:x", "</a>"}));
}

TEST(XmlReader, StartTagWithoutAttributeNameTerminates) {
    // The word before the first "=" has no blank before it: it stays in the element name.
    EXPECT_EQ(Events({"<=\"1\">"}), (Lines{"<>"}));
    EXPECT_EQ(Events({"<a=\"1\">"}), (Lines{"<a>"}));
    EXPECT_EQ(Events({"<a=\"1\" b=\"2\">"}), (Lines{"<a|b=2>"}));
    EXPECT_EQ(Events({"<=\"1\" b=\"2\">"}), (Lines{"<b>"}));
    EXPECT_EQ(Events({"<a ==>"}), (Lines{"<a>"}));
    EXPECT_EQ(Events({"<a b===c>"}), (Lines{"<a|b==>"}));
    EXPECT_EQ(Events({"<a b=>"}), (Lines{"<a|b=>"}));
}

TEST(XmlReader, UnterminatedConstructsStayOpen) {
    ExpectTrees({
        {{"<r>", "<a b=\"1"}, "r"},
        {{"<r>", "<a b=\"1 c=\"2\">"}, "r(a[b=1 c=\"2])"},
        {{"<r><a>text"}, "r(a)"},
        {{"<r><!-- never closed", "<a/>"}, "r"},
        {{"<r b=\"x>y\">"}, "r[b=]"},  // the tag ends at the first ">"
    });
}

TEST(XmlReader, StrayEndTagsAndSecondTopLevelElementsAreIgnored) {
    ExpectTrees({
        {{"</x>", "<a/>"}, "a"},
        {{"<a/>", "</x>", "</y>"}, "a"},
        {{"<a></a></a><b/>"}, "a"},
        {{"<a/>", "<b><c>t</c></b>", "<d/>"}, "a"},
        {{"text before", "<a>in</a>", "text after"}, "a'in'"},
    });
}

TEST(XmlReader, ReportsWhereADocumentStopsBeingWhole) {
    struct Problem {
        std::string text;
        int line;
        std::string error;
    };
    const std::vector<Problem> cases = {
        {"<r>\n  <a/>\n</r>\n", 0, ""},
        {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- c -->\n<r>t</r>\n", 0, ""},
        {"<r>\n  <a b=\"1\"/>\n  <a b=", 3, "the document ends inside a tag"},
        {"<r>\n<!-- open\n<a/>\n", 3, "the document ends inside a comment"},
        {"<r>\n  <a>\n    <b/>\n", 3, "the document ends inside the element \"a\""},
        {"<r>\n  <a>\n  </b>\n</r>\n", 3, "the end tag \"b\" does not close \"a\""},
        {"<r/>\n</r>\n", 2, "the end tag \"r\" closes no element"},
        {"<r/>\n<s/>\n", 2, "a second top-level element \"s\""},
        {"junk\n<r/>\n", 2, "text outside the top-level element"},
        {"<r/>\n\njunk", 3, "text outside the top-level element"},
        {"", 1, "the document holds no element"},
        {"\x01\x02 no markup", 1, "text outside the top-level element"},
    };
    CXmlParser parser;
    for (const Problem& c : cases) {
        parser.ParseText(c.text);
        EXPECT_EQ(parser.GetErrorLine(), c.line) << c.text;
        EXPECT_EQ(parser.GetError(), c.error) << c.text;
    }

    testsupport::CTempDir dir;
    std::string problem = "stale";
    testsupport::WriteFile("cut.xml", "<r>\n  <a/>\n  <a");
    std::unique_ptr<CXmlNode> root(LoadXmlTree("cut.xml", &problem));
    EXPECT_EQ(DumpXml(root.get()), "r(a)");  // what was read is kept
    EXPECT_EQ(problem, "line 3: the document ends inside a tag");
    testsupport::WriteFile("whole.xml", "<r/>");
    root.reset(LoadXmlTree("whole.xml", &problem));
    EXPECT_EQ(problem, "");
    // Only a regular file of at most 8 MB is read (a sparse file costs no disk).
    std::filesystem::resize_file("whole.xml", (8u << 20) + 1);
    const std::pair<const char*, const char*> unreadable[] = {
        {"missing.xml", "the file cannot be opened"},
        {".", "it is a folder, not a file"},
        {"whole.xml", "it holds 8388609 bytes, more than the 8388608 allowed for its kind"},
#if !defined(_WIN32)
        {"/dev/zero", "it is not a regular file (a device, pipe or socket)"},
#endif
    };
    for (const auto& [name, why] : unreadable) {
        root.reset(LoadXmlTree(name, &problem));
        EXPECT_EQ(root, nullptr) << name;
        EXPECT_EQ(problem, why) << name;
        EXPECT_EQ(LoadXmlTree(name), nullptr) << name;
    }
}

TEST(XmlReader, ParseFileReadsEveryLineAndDropsCarriageReturns) {
    testsupport::CTempDir dir;
    testsupport::WriteFile("crlf.xml", "<r>\r\n  <a b=\"1\">x</a>\r\n  <c>\r\n  two\r\n  </c>\r\n</r>");
    std::unique_ptr<CXmlNode> root(LoadXmlTree("crlf.xml"));
    EXPECT_EQ(DumpXml(root.get()), "r(a[b=1]'x',c'two')");

    testsupport::WriteFile("nolineend.xml", "<r>x</r>");
    root.reset(LoadXmlTree("nolineend.xml"));
    EXPECT_EQ(DumpXml(root.get()), "r'x'");

    EXPECT_EQ(LoadXmlTree("missing.xml"), nullptr);
    testsupport::WriteFile("empty.xml", "");
    EXPECT_EQ(LoadXmlTree("empty.xml"), nullptr);

    CXmlParser parser;
    CRecorder recorder;
    parser.SetHandler(&recorder);
    parser.ParseFile("missing.xml");
    EXPECT_EQ(recorder.events, (Lines{"begin", "end"}));
}

TEST(XmlReader, LongLinesAreReadInLinearTime) {
    // A megabyte of text, a megabyte tag with many attributes, and a megabyte of tags on one line.
    const std::string text(1 << 20, 'x');
    EXPECT_EQ(ParseXmlLines({"<a>" + text + "</a>"})->GetContent().size(), text.size());

    std::string tag = "<a";
    for (int i = 0; tag.size() < (1u << 20); ++i) tag += " n" + std::to_string(i) + "=\"v\"";
    auto root = ParseXmlLines({tag + ">"});
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetName(), "a");
    EXPECT_GT(root->GetAttributeCount(), 90000);
    EXPECT_EQ(root->GetAttribute("n777").ToText(), "v");

    std::string siblings = "<r>";
    while (siblings.size() < (1u << 20)) siblings += "<b>t</b>";
    root = ParseXmlLines({siblings + "</r>"});
    ASSERT_TRUE(root);
    EXPECT_GT(root->GetChildCount(), 100000);

    // The same megabyte of tags, split over 1,000 lines, and a tag spread over many lines.
    Lines lines;
    for (int i = 0; i < 1000; ++i) lines.push_back(siblings.substr(i * 1000, 1000));
    root = ParseXmlLines(lines);
    ASSERT_TRUE(root);
    EXPECT_GT(root->GetChildCount(), 100000);

    Lines tagLines{"<a"};
    for (int i = 0; i < 100000; ++i) tagLines.push_back(" b" + std::to_string(i));
    tagLines.push_back(">");
    root = ParseXmlLines(tagLines);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetName().size(), 1 + 588890u);
}

TEST(XmlReader, DeepNestingNeedsNoStack) {
    const int depth = 200000;
    std::string open, close;
    for (int i = 0; i < depth; ++i) open += "<n>";
    for (int i = 0; i < depth; ++i) close += "</n>";
    auto root = ParseXmlLines({open, "leaf", close});
    ASSERT_TRUE(root);
    const CXmlNode* node = root.get();
    int levels = 1;
    while (node->GetChildCount() == 1) {
        node = node->GetChild(0);
        ++levels;
    }
    EXPECT_EQ(levels, depth);
    EXPECT_EQ(node->GetContent(), "leaf");
    root.reset();  // the destructor must not recurse either
}

TEST(XmlReader, BinaryBytesNeverBreakTheReader) {
    std::mt19937 random(12345);
    const std::string alphabet = std::string("<>/=\"!? \t\n\r-&;ab") + '\0' + "\xff\x80";
    for (int round = 0; round < 300; ++round) {
        Lines lines;
        const int count = 1 + static_cast<int>(random() % 8);
        for (int l = 0; l < count; ++l) {
            std::string line;
            const int length = static_cast<int>(random() % 60);
            for (int i = 0; i < length; ++i) {
                line += (random() % 3 == 0) ? static_cast<char>(random() % 256)
                                            : alphabet[random() % alphabet.size()];
            }
            lines.push_back(line);
        }
        auto root = ParseXmlLines(lines);
        if (root) {
            EXPECT_FALSE(testsupport::WriteXmlText(*root).empty());
        }
    }
}

namespace {

// The attribute splitting written out step by step on whole strings, the way the reader's
// documentation describes it; the reader's linear version must agree with it on every tag.
std::pair<std::string, std::map<std::string, std::string>> SplitStepByStep(std::string t) {
    std::map<std::string, std::string> attributes;
    for (auto p = t.find('='); p != std::string::npos; p = t.find('=')) {
        const std::string left = Trim(t.substr(0, p));
        const std::string right = Trim(t.substr(p + 1));
        const auto blank = left.find_last_of(" \t");
        std::string r = blank == std::string::npos ? left : left.substr(0, blank);
        const auto end = FindFirstOfOutsideQuotes(" \t", right, 0);
        std::string value = Trim(end == std::string::npos ? right : right.substr(0, end));
        if (end != std::string::npos) r += right.substr(end);
        value = value.size() >= 2 ? value.substr(1, value.size() - 2) : std::string();
        if (blank != std::string::npos) attributes.emplace(left.substr(blank + 1), value);
        t = r;
    }
    return {Trim(t), attributes};
}

}  // namespace

TEST(XmlReader, AttributeSplittingAgreesWithTheStepByStepForm) {
    std::mt19937 random(777);
    const std::string alphabet = "ab= \t\"xy=\"";
    for (int round = 0; round < 20000; ++round) {
        std::string tag = "e";
        const int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) tag += alphabet[random() % alphabet.size()];
        const auto expected = SplitStepByStep(Trim(tag));
        std::string event = "<" + expected.first;
        for (const auto& attribute : expected.second) event += "|" + attribute.first + "=" + attribute.second;
        event += ">";
        const Lines events = Events({"<" + tag + ">"});
        ASSERT_EQ(events.size(), 1u) << tag;
        ASSERT_EQ(events[0], event) << "tag: [" << tag << "]";
    }
}
