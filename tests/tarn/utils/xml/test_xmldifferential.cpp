// The XML reader against a frozen copy of its previous, slower version: the same trees and the
// same events on every fuzz corpus file, every shipped data file and generated documents full of
// the dialect's odd corners (comments, declarations, entities, unquoted and duplicate
// attributes, tags across lines, unterminated constructs, stray bytes).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "support/testsupport.h"
#include "support/xmlreferencereader.h"
#include "support/xmltreedifference.h"
#include "tarn/utils/xml/cxmlnode.h"
#include "tarn/utils/xml/cxmlparser.h"
#include "tarn/utils/xml/cxmltreebuilder.h"
#include "tarn/utils/xml/xmltree.h"

using namespace tarn;
using testsupport::CReferenceXmlNode;
using testsupport::CReferenceXmlTree;
namespace fs = std::filesystem;

namespace {

// Both readers' events as short texts, the old one's through its own handler.
class CNewEvents : public CXmlHandler {
public:
    void StartDocument() override { events += "{"; }
    void EndDocument() override { events += "}"; }
    void Characters(const std::string& text) override { events += "t(" + text + ")"; }
    void StartElement(const std::string& name, const CXmlAttributeMap& attributes) override {
        events += "<" + name;
        for (const auto& attribute : attributes) events += "|" + attribute.first + "=" + attribute.second.ToText();
        events += ">";
    }
    void EndElement(const std::string& name) override { events += "</" + name + ">"; }
    std::string events;
};

class COldEvents : public testsupport::CReferenceXmlHandler {
public:
    void StartDocument() override { events += "{"; }
    void EndDocument() override { events += "}"; }
    void Characters(const std::string& text) override { events += "t(" + text + ")"; }
    void StartElement(const std::string& name, const std::map<std::string, std::string>& attributes) override {
        events += "<" + name;
        for (const auto& attribute : attributes) events += "|" + attribute.first + "=" + attribute.second;
        events += ">";
    }
    void EndElement(const std::string& name) override { events += "</" + name + ">"; }
    std::string events;
};

std::unique_ptr<CXmlNode> NewTreeFromText(std::string_view text) {
    CXmlParser parser;
    CXmlTreeBuilder builder;
    parser.SetHandler(&builder);
    parser.ParseText(text);
    return std::unique_ptr<CXmlNode>(builder.TakeRoot());
}

// The text fed line by line through ParseLine, as callers outside ParseFile do, with the lines
// cut at every line feed (a line may then still hold a carriage return).
std::unique_ptr<CXmlNode> NewTreeFromLines(std::string_view text) {
    CXmlParser parser;
    CXmlTreeBuilder builder;
    parser.SetHandler(&builder);
    builder.StartDocument();
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        parser.ParseLine(std::string(text.substr(start, end - start)));
        start = end + 1;
    }
    builder.EndDocument();
    return std::unique_ptr<CXmlNode>(builder.TakeRoot());
}

CReferenceXmlTree OldTreeFromLines(std::string_view text) {
    testsupport::CReferenceXmlParser parser;
    testsupport::CReferenceXmlTreeBuilder builder;
    parser.SetHandler(&builder);
    builder.StartDocument();
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        parser.ParseLine(text.substr(start, end - start));
        start = end + 1;
    }
    return builder.TakeTree();
}

// Every way of reading text agrees with the old reader: from memory, line by line, as events.
void ExpectSameReading(std::string_view text, const std::string& label) {
    const CReferenceXmlTree old = testsupport::ReferenceXmlText(text);
    EXPECT_EQ(testsupport::XmlTreeDifference(old.root, NewTreeFromText(text).get()), "") << label;
    EXPECT_EQ(testsupport::XmlTreeDifference(OldTreeFromLines(text).root, NewTreeFromLines(text).get()), "") << label;

    CXmlParser parser;
    CNewEvents newEvents;
    parser.SetHandler(&newEvents);
    parser.ParseText(text);
    testsupport::CReferenceXmlParser oldParser;
    COldEvents oldEvents;
    oldParser.SetHandler(&oldEvents);
    oldParser.ParseText(text);
    EXPECT_EQ(newEvents.events, oldEvents.events) << label;

    // Whole documents take a quicker way through most lines than lines fed one by one; both
    // find the same first problem on the same line.
    EXPECT_EQ(testsupport::XmlProblemLineByLine(text), std::make_pair(parser.GetErrorLine(), parser.GetError())) << label;
}

std::vector<fs::path> ShippedAndCorpusFiles() {
    const fs::path source(MARBLES_SOURCE_DIR);
    std::vector<fs::path> files;
    for (const auto& target : fs::directory_iterator(source / "fuzz" / "corpus")) {
        if (!target.is_directory()) continue;
        for (const auto& file : fs::directory_iterator(target.path())) {
            if (file.is_regular_file()) files.push_back(file.path());
        }
    }
    for (const auto& file : fs::recursive_directory_iterator(source / "game" / "data")) {
        if (file.is_regular_file() && file.path().extension() == ".xml") files.push_back(file.path());
    }
    return files;
}

// Pieces of the dialect and of what lies just outside it; documents are random runs of them.
const std::vector<std::string>& Pieces() {
    static const std::vector<std::string> pieces = {
        "<a>", "</a>", "<b>", "</b>", "<Level>", "</Level>", "<a/>", "<a />", "</>", "<>", "< >", "</ a >",
        "<m x=\"1\" y=\"2\">", "<m type=\"two words\" x=\"3\"/>", "<m x=\"1\" />", "<m x=\"1\"/>",
        "<m z=\"1\" a=\"2\" k=\"3\">", "<m b=\"1\" b=\"2\">", "<m b=1 c=xyz>", "<m b=\"1\"c=\"2\">",
        "<m b = \"1\">", "<m =\"1\">", "<m==>", "<m b===c>", "<m b=>", "<m\tb=\"1\"\tc=\"2\">",
        "<m b=\"x = y\">", "<m b=\"&lt;\">", "<averyveryverylongelementname attributewithalongname=\"a value longer than sixteen\">",
        "<!-- note -->", "<!-- a > b -->", "<!--", "-->", "--", ">", "<!---->", "<!DOCTYPE r>",
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>", "<?pi x?>", "<![CDATA[ x < y ]]>",
        "&lt;", "&gt;", "&amp;", "&apos;", "&quot;", "&amp;lt;", "&amp;amp;", "&amp;quot;", "&#65;", "&", ";",
        "text", "two words", "20", "16.5", " ", "  ", "\t", "\n", "\n", "\n", "\r\n", "\r", "\n\n",
        "<", "\"", "=", "/", "<a b=\"1", "unterminated\">", "<a", " b=\"1\">", "x\xff\x80y", std::string(1, '\0'),
        "<Marble radius=\"16.5\" type=\"red\" x=\"13\" y=\"29\" >", "</Marble>", "<angle>", "</angle>",
        // Near misses of the plain name="value" form.
        "<m O x=\"1\">", "<m x=\"1\" O>", "<m x=\"\">", "<m x=\"1\"y>", "<m x=\"1\"  y=\"2\"\t>", "<m x=\"a=b\">",
        "<m\"q x=\"1\">", "<m x=\"1\" y=\"2\" x=\"3\">", "<m y=\"1\" x=\"2\"/>", "<m x=\"1\" / >", "<m x=\"1\" =\"2\">",
        "<m x=\"1\" y=\"2", "<m x=\"1\" y=", "<m x=\"1\" y=\"", "<m x=\"1\" y=\"2\" />",
        // Near misses of the quick one-line tag forms.
        "< m x=\"1\">", "</m >", "< /m>", "</m/>", "<m x=\"a>b\">", "<m/ >", "<m x=\"1\"/ >", "<m x=\"1\" /x>",
        "<m/x>", "<m x=\"1\"/y=\"2\">", "<m x=\"1\"\n>", "<m!x=\"1\">", "<m x=\"<\">", "<m?>", "</m",
    };
    return pieces;
}

std::string RandomDocument(std::mt19937& random) {
    const auto& pieces = Pieces();
    std::string document;
    const int count = 1 + static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) document += pieces[random() % pieces.size()];
    // Now and then a few bytes changed at random.
    if (random() % 4 == 0) {
        for (int i = 0; i < 3 && !document.empty(); ++i) document[random() % document.size()] = static_cast<char>(random() % 256);
    }
    return document;
}

}  // namespace

TEST(XmlDifferential, CorpusAndShippedFilesReadAsBefore) {
    const std::vector<fs::path> files = ShippedAndCorpusFiles();
    EXPECT_GT(files.size(), 20u);
    for (const fs::path& file : files) {
        const CReferenceXmlTree old = testsupport::ReferenceXmlFile(file.string());
        std::unique_ptr<CXmlNode> tree(LoadXmlTree(file.string()));
        EXPECT_EQ(testsupport::XmlTreeDifference(old.root, tree.get()), "") << file;
        ExpectSameReading(testsupport::ReadFile(file.string()), file.string());
    }
}

TEST(XmlDifferential, GeneratedDocumentsReadAsBefore) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 4000; ++round) {
        const std::string document = RandomDocument(random);
        ExpectSameReading(document, "document: [" + document + "]");
        if (HasFailure()) return;
    }
}

TEST(XmlDifferential, FilesThatCannotBeReadGiveNoTree) {
    testsupport::CTempDir dir;
    fs::create_directory("folder.xml");
    testsupport::WriteFile("empty.xml", "");
    testsupport::WriteFile("comment.xml", "<!-- only a comment -->\n");
    for (const char* name : {"missing.xml", "folder.xml", "empty.xml", "comment.xml"}) {
        EXPECT_EQ(testsupport::ReferenceXmlFile(name).root, nullptr) << name;
        EXPECT_EQ(std::unique_ptr<CXmlNode>(LoadXmlTree(name)), nullptr) << name;
    }
}

TEST(XmlDifferential, LargeLevelReadsAsBefore) {
    // A level-sized document with long lines split across the reader's old 64 KiB blocks.
    std::string document = "<MarblesLevel name=\"big\">\n  <PhysicsModel>\n";
    for (int i = 0; document.size() < 300000; ++i) {
        document += "    <Marble radius=\"16.5\" type=\"t" + std::to_string(i % 7) + "\" x=\"" + std::to_string(i) + "\" >";
        document += i % 5 == 0 ? "\n" : "</Marble>";
        if (i % 5 == 0) document += "      <angle>\n        " + std::to_string(i) + ".25\n      </angle>\n    </Marble>\n";
    }
    document += "  </PhysicsModel>\n</MarblesLevel>\n";
    testsupport::CTempDir dir;
    testsupport::WriteFile("big.xml", document);
    std::unique_ptr<CXmlNode> tree(LoadXmlTree("big.xml"));
    EXPECT_EQ(testsupport::XmlTreeDifference(testsupport::ReferenceXmlFile("big.xml").root, tree.get()), "");
    ExpectSameReading(document, "large level");
}
