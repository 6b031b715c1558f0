#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/core/FileError.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

using GameTools::XMLNode;
using GameTools::XMLParser;

namespace {

std::unique_ptr<XMLNode> ParseOwned(const std::wstring& text)
{
    XMLNode* root = nullptr;
    XMLParser::ParseText(root, text);
    return std::unique_ptr<XMLNode>(root);
}

std::string FaultOf(const std::wstring& text)
{
    XMLNode* root = nullptr;
    try {
        XMLParser::ParseText(root, text);
    } catch (const OrrelayEngine::FileError& error) {
        EXPECT_EQ(root, nullptr) << "a failed parse leaves no half-built root behind";
        return error.GetMessage();
    }
    delete root;
    return "no fault";
}

} // namespace

TEST(XMLParser, ReadsElementsAttributesAndText)
{
    auto root = ParseOwned(L"<?xml version=\"1.0\"?>\r\n<resources>\r\n"
                           L"  <!-- a comment -->\r\n"
                           L"  <model name='leaf' file_name=\"a b/c>d=e\" />\r\n"
                           L"  <group><shader name=\"s\">text</shader></group>\r\n"
                           L"</resources>\r\n");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), "resources");
    ASSERT_EQ(root->GetChildren().size(), 2u);

    XMLNode* model = root->GetChildren()[0];
    EXPECT_EQ(model->GetName(), "model");
    EXPECT_EQ(model->GetAttribute("name")->GetString(), "leaf");
    EXPECT_EQ(model->GetAttribute("file_name")->GetString(), "a b/c>d=e");
    EXPECT_TRUE(model->GetChildren().empty()) << "self-closing";

    XMLNode* shader = root->FindChild("group")->FindChild("shader");
    ASSERT_NE(shader, nullptr);
    EXPECT_EQ(shader->GetText().GetString(), "text");
    EXPECT_EQ(shader->GetParent()->GetName(), "group");
}

TEST(XMLParser, SelfClosingAndSlashQuirks)
{
    // The closing quote ends the value, so the '/' follows no attribute name.
    auto tight = ParseOwned(L"<r><a x=\"1\"/><b y='2' /></r>");
    ASSERT_EQ(tight->GetChildren().size(), 2u);
    EXPECT_TRUE(tight->GetChildren()[0]->GetChildren().empty());
    EXPECT_EQ(tight->GetChildren()[1]->GetName(), "b");
    // A '/' written straight after a name is part of the name, and the element stays open.
    auto open = ParseOwned(L"<r><a/>");
    ASSERT_EQ(open->GetChildren().size(), 1u);
    EXPECT_EQ(open->GetChildren()[0]->GetName(), "a/");
}

TEST(XMLParser, WhiteSpaceOnlyContentGivesNoText)
{
    auto root = ParseOwned(L"<r>\r\n   \r\n\t</r>");
    EXPECT_EQ(root->GetText().GetTag(), GameTools::XMLValue::kNarrowCurrent);
    EXPECT_EQ(root->GetText().GetString(), "");
}

TEST(XMLParser, LaterTextRunReplacesEarlier)
{
    auto root = ParseOwned(L"<r>first<c />second</r>");
    EXPECT_EQ(root->GetText().GetString(), "second");
}

TEST(XMLParser, FaultCodesWithLineNumbers)
{
    const struct
    {
        const wchar_t* text;
        const char* message;
    } cases[] = {
        {L"</a>", "XML format error at line 1: code 0"},
        {L"<r><></r>", "XML format error at line 1: code 1"},
        {L"<r>\n<a></b>", "XML format error at line 2: code 2"},
        {L"<r =\"1\">", "XML format error at line 1: code 4"},
        {L"<r x=\"1\" / y=\"2\">", "XML format error at line 1: code 5"},
        {L"<r x/>", "XML format error at line 1: code 6"},
        {L"<r x=\"1\" x='2'>", "XML format error at line 1: code 7"},
        {L"<r x=1>", "XML format error at line 1: code 8"},
        {L"<r x>", "XML format error at line 1: code 10"},
        {L"<r x=>", "XML format error at line 1: code 11"},
        {L"<a></a>\n<b></b>", "XML format error at line 2: code 12"},
        {L"hello", "XML format error at line 1: code 13"},
        {L"<r>\n\n<a x=\"1", "XML format error at line 3: code 14"},
        {L"  \r\n ", "XML format error at line 2: code 15"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FaultOf(c.text), c.message) << std::string(c.text, c.text + wcslen(c.text));
    }
}

TEST(XMLParser, ParseIntoKeepsTopLevelAsChildrenAndSurvivesFaults)
{
    XMLNode top;
    XMLNode* start = &top;
    EXPECT_THROW(XMLParser::ParseText(start, L"loose <a/><b></c>"), OrrelayEngine::FileError);
    // Text outside elements belongs to the starting node; what was read stays with it.
    ASSERT_EQ(start, &top);
    ASSERT_EQ(top.GetChildren().size(), 1u);
    EXPECT_EQ(top.GetChildren()[0]->GetName(), "a/");
}

TEST(XMLValue, ConversionsAndIntArrays)
{
    auto root = ParseOwned(L"<r i=\"42\" f=\"2.5\" b=\"1\" pair=\"3, 4\" one=\"x7\"/>");
    EXPECT_EQ(root->GetAttribute("i")->GetInt(), 42);
    EXPECT_EQ(root->GetAttribute("i")->GetTag(), GameTools::XMLValue::kWideCurrent)
        << "numbers are read without making a narrow copy";
    EXPECT_FLOAT_EQ(root->GetAttribute("f")->GetFloat(), 2.5f);
    EXPECT_TRUE(root->GetAttribute("b")->GetBool());
    EXPECT_EQ(root->GetAttribute("pair")->GetIntPair(), std::make_pair(3u, 4u));
    EXPECT_EQ(root->GetAttribute("one")->GetIntPair(), std::make_pair(7u, 0u));
    root->GetAttribute("i")->GetString();
    EXPECT_EQ(root->GetAttribute("i")->GetTag(), GameTools::XMLValue::kNarrowCurrent);
    EXPECT_EQ(root->GetAttribute("missing"), nullptr);
}

TEST(XMLNode, ReparentingAndRemoval)
{
    XMLNode first;
    XMLNode second;
    XMLNode* child = new XMLNode("c", &first);
    second.AddChild(child);
    EXPECT_TRUE(first.GetChildren().empty());
    EXPECT_EQ(child->GetParent(), &second);
    first.RemoveChild(child); // not first's child: ignored
    EXPECT_EQ(second.GetChildren().size(), 1u);
    second.RemoveChild(child);
    EXPECT_TRUE(second.GetChildren().empty());
}
