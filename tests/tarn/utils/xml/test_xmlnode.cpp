// The XML element: entity replacement in content, unique attribute names with insertion
// indices, ownership of children, destruction of very deep trees and of changed read trees.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/testsupport.h"
#include "support/xmltesthelpers.h"
#include "tarn/utils/xml/cxmlnode.h"

using namespace tarn;

TEST(XmlNode, SetContentReplacesTheFiveEntitiesInOrder) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"plain text", "plain text"},
        {"&lt;b&gt;", "<b>"},
        {"a &amp; b", "a & b"},
        {"&apos;&quot;", "'\""},
        {"&amp;amp;", "&"},
        {"&amp;amp;amp;", "&"},
        {"&amp;lt;", "&lt;"},    // &lt; ran before &amp; produced it
        {"&amp;gt;", "&gt;"},
        {"&amp;quot;", "\""},   // &quot; runs after &amp;
        {"&amp;apos;", "'"},
        {"&lt;lt;", "<lt;"},
        {"&&lt;", "&<"},
        {"&#60; &nbsp; &", "&#60; &nbsp; &"},
        {"&lt", "&lt"},
        {"", ""},
    };
    for (const Case& c : cases) {
        CXmlNode node("n");
        node.SetContent(c.in);
        EXPECT_EQ(node.GetContent(), c.out) << c.in;
    }
}

TEST(XmlNode, AttributesKeepTheFirstValueAndInsertionOrder) {
    CXmlNode node("n");
    node.AddAttribute("z", 1);
    node.AddAttribute("a", std::string("text"));
    node.AddAttribute("z", 2);
    ASSERT_EQ(node.GetAttributeCount(), 2);
    EXPECT_EQ(node.GetAttributeName(0), "z");
    EXPECT_EQ(node.GetAttributeName(1), "a");
    EXPECT_EQ(node.GetAttributeName(2), "");
    EXPECT_EQ(node.GetAttributeName(-1), "");
    EXPECT_EQ(node.GetAttribute("z").Get<int>(), 1);
    EXPECT_TRUE(node.GetAttribute("z").IsType<int>());
    EXPECT_EQ(node.GetAttributeValue(1).ToText(), "text");
    EXPECT_FALSE(node.HasAttribute("b"));
    // Out of range and absent names break the caller's promise, yet give an empty value
    // instead of undefined behaviour.
    testsupport::CExpectedAssertions broken;
    EXPECT_TRUE(node.GetAttribute("b").IsEmpty());
    EXPECT_TRUE(node.GetAttributeValue(5).IsEmpty());
    EXPECT_EQ(broken.GetCount(), broken.Expected(2));
}

TEST(XmlNode, ManyAttributesStayUniqueAndFindable) {
    CXmlNode node("n");
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 500; ++i) node.AddAttribute("a" + std::to_string(i), i + round * 1000);
    }
    ASSERT_EQ(node.GetAttributeCount(), 500);
    for (int i = 0; i < 500; ++i) {
        ASSERT_TRUE(node.HasAttribute("a" + std::to_string(i)));
        EXPECT_EQ(node.GetAttribute("a" + std::to_string(i)).Get<int>(), i);
        EXPECT_EQ(node.GetAttributeName(i), "a" + std::to_string(i));
    }
    EXPECT_FALSE(node.HasAttribute("a500"));
}

TEST(XmlNode, ChildrenAreOwnedAndKnowTheirParent) {
    CXmlNode root("root");
    auto* first = new CXmlNode("first");
    auto* second = new CXmlNode("second");
    root.AddChild(first);
    root.AddChild(second);
    root.AddChild(nullptr);
    ASSERT_EQ(root.GetChildCount(), 2);
    EXPECT_EQ(root.GetChild(0), first);
    EXPECT_EQ(root.GetChild(1), second);
    EXPECT_EQ(second->GetParent(), &root);
    testsupport::CExpectedAssertions broken;
    EXPECT_EQ(root.GetChild(2), nullptr);
    EXPECT_EQ(root.GetChild(-1), nullptr);
    EXPECT_EQ(broken.GetCount(), broken.Expected(2));
}

TEST(XmlNode, DeletingADeepOrWideTreeNeedsNoStack) {
    // A chain far deeper than any call stack could unwind recursively.
    auto* root = new CXmlNode("n");
    CXmlNode* tip = root;
    for (int i = 0; i < 500000; ++i) {
        auto* child = new CXmlNode("n");
        tip->AddChild(child);
        tip = child;
        if (i % 3 == 0) tip->AddChild(new CXmlNode("leaf"));
    }
    delete root;

    CXmlNode wide("w");
    for (int i = 0; i < 100000; ++i) wide.AddChild(new CXmlNode("c"));
    EXPECT_EQ(wide.GetChildCount(), 100000);
}

TEST(XmlNode, ATreeReadFromADocumentTakesChangesAndFreesThemAll) {
    // Everything a caller may do to a read tree: every piece of memory it adds must be freed
    // with the tree (the leak checker of the sanitized build watches).
    const std::string longText(40, 'l');
    std::unique_ptr<CXmlNode> read(testsupport::ParseXmlLines(
        {"<r a=\"1\"><" + longText + " " + longText + "=\"v\">" + longText + "</" + longText + "><b x=\"2\" y=\"3\"/><c/></r>"}));
    ASSERT_TRUE(read);
    CXmlNode* b = read->GetChild(1);
    const std::string* text = b->GetAttribute("x").GetPointer<std::string>();  // held from now on
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(*text, "2");
    b->AddAttribute("z", 4.5f);
    b->AddAttribute("a", std::string(longText));
    b->SetContent(longText + " content");
    b->SetName(longText + " name");
    auto* added = new CXmlNode("added");
    added->AddChild(new CXmlNode("grandchild"));
    b->AddChild(added);
    read->GetChild(2)->AddChild(new CXmlNode("more"));
    EXPECT_EQ(testsupport::DumpXml(b),
              longText + " name[x=2;y=3;z=4.5;a=" + longText + "]'" + longText + " content'(added(grandchild))");
    EXPECT_EQ(b->GetAttribute("a").ToText(), longText);
    EXPECT_EQ(read->GetChild(0)->GetAttribute(longText).ToText(), "v");

    // A read tree can become part of a tree made by code, and goes with it.
    CXmlNode outer("outer");
    outer.AddChild(read.release());
    EXPECT_EQ(outer.GetChild(0)->GetChild(2)->GetChild(0)->GetName(), "more");

    // A value copied out of a read tree owns its text.
    CAnyContainer copy;
    {
        std::unique_ptr<CXmlNode> other(testsupport::ParseXmlLines({"<o v=\"kept\"/>"}));
        copy = other->GetAttribute("v");
    }
    EXPECT_EQ(copy.ToText(), "kept");
}
