// Navigation over a parsed document: positions, name matching, attributes and child text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer/MarkupDocument.h"

namespace {

constexpr const char* kInstallScript = R"(<?xml version="1.0"?>
<!-- install script -->
<InstallItem>
  <Command action="Ravelink">
    <AddInMenu DllName="addin.dll" DirName = 'AddIns' MenuText="Fixture &amp; table"/>
    <Version><Directory>Cfg1</Directory><Directory>Cfg2</Directory></Version>
  </Command>
  <Commands action="skip"/>
  <command action="skip"/>
  <Command action="CreateFile" name="run.bat" location="[AppDir]Tools">
    <Line>@echo off</Line>
    <Line/>
    <Line> call [AppDir]bin\x.bat </Line>
  </Command>
</InstallItem>
<InstallItem/>)";

// The installer's walk: every Command's action, and per Command its child texts by name.
TEST(MarkupNavigationTest, InstallScriptWalk) {
    MarkupDocument document;
    ASSERT_TRUE(document.setText(kInstallScript));
    ASSERT_TRUE(document.findElement("InstallItem"));
    EXPECT_FALSE(document.leaveElement());  // the root has no parent
    ASSERT_TRUE(document.enterElement());
    std::vector<std::string> actions;
    while (document.findElement("Command")) actions.push_back(document.attribute("action"));
    EXPECT_EQ(actions, (std::vector<std::string>{"Ravelink", "CreateFile"}));

    ASSERT_TRUE(document.setText(kInstallScript));
    ASSERT_TRUE(document.findElement("InstallItem"));
    ASSERT_TRUE(document.enterElement());
    ASSERT_TRUE(document.findElement("Command"));
    ASSERT_TRUE(document.findChildElement("AddInMenu"));
    EXPECT_EQ(document.childAttribute("DllName"), "addin.dll");
    EXPECT_EQ(document.childAttribute("DirName"), "AddIns");  // spaces around "=", single quotes
    EXPECT_EQ(document.childAttribute("MenuText"), "Fixture & table");
    EXPECT_EQ(document.attribute("action"), "Ravelink");  // the Command stays current
    ASSERT_TRUE(document.findChildElement("Version"));
    ASSERT_TRUE(document.enterElement());
    std::vector<std::string> directories;
    while (document.findChildElement("Directory")) directories.push_back(document.childText());
    EXPECT_EQ(directories, (std::vector<std::string>{"Cfg1", "Cfg2"}));
    ASSERT_TRUE(document.leaveElement());
    EXPECT_EQ(document.attribute("action"), "Ravelink");  // back on the Command

    ASSERT_TRUE(document.findElement("Command"));
    EXPECT_EQ(document.attribute("location"), "[AppDir]Tools");
    std::vector<std::string> lines;
    while (document.findChildElement("Line")) lines.push_back(document.childText());
    EXPECT_EQ(lines, (std::vector<std::string>{"@echo off", "", " call [AppDir]bin\\x.bat "}));
    EXPECT_FALSE(document.findElement("Command"));
}

TEST(MarkupNavigationTest, NameMatching) {
    struct Case {
        const char* requested;
        bool found;
    } cases[] = {
        {"Command", true},   {"command", false},  {"Commands", false},
        {"Comm", false},     {"Command x", true},  // the requested name may go on after " =/["
        {"Command=", true},  {"Command/", true},  {"Command[", true},
        {"Command.", false}, {"", true},
    };
    for (const Case& c : cases) {
        MarkupDocument document;
        ASSERT_TRUE(document.setText("<Command/>"));
        EXPECT_EQ(document.findElement(c.requested), c.found) << c.requested;
    }
}

TEST(MarkupNavigationTest, AttributeLookup) {
    struct Case {
        const char* tag;
        const char* name;
        const char* value;
    } cases[] = {
        {"<a b=\"1\"/>", "b", "1"},
        {"<a b='1'/>", "b", "1"},
        {"<a b = \"1\"/>", "b", "1"},
        {"<a b=1/>", "b", ""},  // unquoted values are not found
        {"<a b=1 c=\"2\"/>", "c", "2"},
        {"<a b \"1\"/>", "b", ""},  // the value must follow "="
        {"<a b=\"\"/>", "b", ""},
        {"<a b=\"1\" b=\"2\"/>", "b", "1"},  // the first attribute of that name
        {"<a bb=\"1\" b=\"2\"/>", "b", "2"},
        {"<a x=\"b\" b=\"2\"/>", "b", "2"},  // values are never names
        {"<a b=\"x>y\" c=\"2\"></a>", "c", "2"},
        {"<a b=\"&lt;&#65;\"/>", "b", "<A"},
        {"<a b=\"1\"/>", "a", ""},      // the tag name is no attribute
        {"<a/ b=\"1\"></a>", "b", ""},  // "/" ends the attributes
        {"<a b=\"1\"/>", "", ""},
    };
    for (const Case& c : cases) {
        MarkupDocument document;
        ASSERT_TRUE(document.setText(c.tag)) << c.tag;
        EXPECT_EQ(document.attribute(c.name), "") << "no current element yet: " << c.tag;
        ASSERT_TRUE(document.findElement());
        EXPECT_EQ(document.attribute(c.name), c.value) << c.tag;
    }
}

TEST(MarkupNavigationTest, ChildText) {
    struct Case {
        const char* element;
        const char* text;
    } cases[] = {
        {"<c> abc </c>", " abc "},
        {"<c/>", ""},
        {"<c></c>", ""},
        {"<c>x<d/>y</c>", ""},  // children: no text
        {"<c>\n  <![CDATA[a &amp; <b>]]> tail</c>", "a &amp; <b>"},
        {"<c><![CDATA[]]></c>", ""},
        {"<c>1 &lt; 2 &amp;&amp; &#x41;</c>", "1 < 2 && A"},
        {"<c><!-- note --></c>", "<!-- note -->"},  // no child element, so all content
        {"<c>a<!-- n -->b</c>", "a<!-- n -->b"},
        {"<c>\xC3\xA9t\xC3\xA9</c>", "\xC3\xA9t\xC3\xA9"},
    };
    for (const Case& c : cases) {
        MarkupDocument document;
        ASSERT_TRUE(document.setText(std::string("<r>") + c.element + "</r>")) << c.element;
        EXPECT_EQ(document.childText(), "") << "no child position yet";
        ASSERT_TRUE(document.findChildElement("c"));
        EXPECT_EQ(document.childText(), c.text) << c.element;
    }
}

TEST(MarkupNavigationTest, PositionsThroughEnterAndLeave) {
    MarkupDocument document;
    ASSERT_TRUE(document.setText("<r><a n='1'><b n='2'/><b n='3'/></a><a n='4'/></r>"));
    EXPECT_FALSE(document.enterElement());        // no current element yet
    ASSERT_TRUE(document.findChildElement("a"));  // finds the root first, then its child
    EXPECT_EQ(document.childAttribute("n"), "1");
    ASSERT_TRUE(document.enterElement());
    EXPECT_EQ(document.attribute("n"), "1");
    ASSERT_TRUE(document.findChildElement("b"));
    ASSERT_TRUE(document.findChildElement("b"));
    EXPECT_EQ(document.childAttribute("n"), "3");
    EXPECT_FALSE(document.findChildElement("b"));
    EXPECT_EQ(document.childAttribute("n"), "3");  // a failed search moves nothing
    ASSERT_TRUE(document.findElement("a"));
    EXPECT_EQ(document.attribute("n"), "4");
    EXPECT_EQ(document.childAttribute("n"), "");  // the child position was reset
    ASSERT_TRUE(document.leaveElement());
    EXPECT_EQ(document.childAttribute("n"), "4");
    EXPECT_FALSE(document.leaveElement());
}

TEST(MarkupNavigationTest, EnteringAnElementWithoutChildren) {
    MarkupDocument document;
    ASSERT_TRUE(document.setText("<r><a/></r>"));
    ASSERT_TRUE(document.findElement("r"));
    ASSERT_TRUE(document.enterElement());  // no child position: nothing is current inside
    EXPECT_EQ(document.attribute("x"), "");
    EXPECT_FALSE(document.enterElement());
    ASSERT_TRUE(document.findElement("a"));
    ASSERT_TRUE(document.enterElement());
    EXPECT_FALSE(document.findElement());
    ASSERT_TRUE(document.leaveElement());
    ASSERT_TRUE(document.leaveElement());
    EXPECT_FALSE(document.findElement("r"));  // the root has no siblings
}

// Fault guarded: a child search inside an element without children finding the root element.
TEST(MarkupNavigationTest, ChildSearchInsideAChildlessElementNeverFindsTheRoot) {
    MarkupDocument document;
    ASSERT_TRUE(document.setText("<Directory><Version/></Directory>"));
    ASSERT_TRUE(document.findElement("Directory"));
    ASSERT_TRUE(document.findChildElement("Version"));
    ASSERT_TRUE(document.enterElement());
    ASSERT_TRUE(document.enterElement());  // inside Version, which has no children
    EXPECT_FALSE(document.findChildElement("Directory"));
    EXPECT_EQ(document.childText(), "");
    ASSERT_TRUE(document.leaveElement());
    EXPECT_EQ(document.attribute("x"), "");
}

TEST(MarkupNavigationTest, AFreshDocumentIsEmpty) {
    MarkupDocument document;
    EXPECT_EQ(document.statusText(), "");
    EXPECT_EQ(document.ElementCount(), 0u);
    EXPECT_FALSE(document.findElement());
    EXPECT_FALSE(document.findChildElement());
    EXPECT_FALSE(document.enterElement());
    EXPECT_FALSE(document.leaveElement());
    EXPECT_EQ(document.attribute("a"), "");
    EXPECT_EQ(document.childText(), "");
}

}  // namespace
