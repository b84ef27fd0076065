// The parse of a whole text: what is skipped, what fails, and the status text of each failure.
#include <gtest/gtest.h>

#include <string>

#include "installer/MarkupDocument.h"
#include "installer/MarkupParser.h"

namespace {

struct ParseCase {
    const char* text;
    bool parses;
    const char* status;  // after setText, which starts from an empty status
};

TEST(MarkupParseTest, OutcomeAndStatusOfEachText) {
    const ParseCase cases[] = {
        {"<a/>", true, ""},
        {"<a></a>", true, ""},
        {"<?xml version=\"1.0\"?><!-- c --><a><!-- x --><?pi ?><b/></a>", true, ""},
        {"<!DOCTYPE a [ <!ENTITY e \"v>\"> <!ELEMENT a ANY> ]><a/>", true, ""},
        {"<a><![CDATA[ <b> </a> ]]></a>", true, ""},
        {"<a>text<b/>more</a  junk = 'x' >", true, ""},
        {"<a/><b>", true, ""},  // nothing after the root is examined
        {"<a></a>trailing </x> text", true, ""},
        {"<a b='>'></a>", true, ""},  // the first ">" ends the start tag
        {"", false, ""},
        {"   \n", false, ", Element tag not found"},
        {"<?xml version=\"1.0\"?><!-- only a comment -->", false, ", Element tag not found"},
        {"<a><b></b>", false, ", Element tag not found"},
        {"<a>x<", false, ", Abrupt end within tag"},
        {"<   ", false, ", Abrupt end within tag"},
        {"<\"a\">", false, ", Tag starts with quote"},
        {"<a><'b'/></a>", false, ", Tag starts with quote"},
        {"<!-- open", false, ", Invalid node"},
        {"<?pi", false, ", Invalid node"},
        {"<!", false, ", Invalid node"},
        {"<a><![CDATA[x]]</a>", false, ", Invalid node"},
        {"<!DOCTYPE a [ <!ENTITY e 'v'> <a/>", false, ", Invalid node"},
        {"<a b='c'", false, ", End of tag not found"},
        {"<Line>x</Lines>", false, ", End tag does not correspond to Line"},
        {"<Line>x</line>", false, ", End tag does not correspond to Line"},
        {"<a><b></a></b>", false, ", End tag does not correspond to b"},
        {"<a></>", false, ", End tag does not correspond to a"},
        {"<a></a", false, ", End tag not completed for element a"},
        {"<a><b/></a x='>", false, ", End tag not completed for element a"},
        {"</a>", false, ""},  // an end tag alone fails without a message
        {"<!-- c --></a><a/>", false, ""},
    };
    for (const ParseCase& c : cases) {
        MarkupDocument document;
        EXPECT_EQ(document.setText(c.text), c.parses) << c.text;
        EXPECT_EQ(document.statusText(), c.status) << c.text;
        EXPECT_EQ(document.findElement(), c.parses) << c.text;
    }
}

TEST(MarkupParseTest, NodesBetweenElementsAreSkippedAndOnlyElementsIndexed) {
    MarkupDocument document;
    ASSERT_TRUE(
        document.setText("<?xml version=\"1.0\"?>\n<!DOCTYPE r [<!ELEMENT r ANY>]>\n<!-- c -->\n"
                         "<r><!-- <x/> --><?pi <y/> ?><![CDATA[<z/>]]><a/>text<b></b></r>"));
    EXPECT_EQ(document.ElementCount(), 3u);
    ASSERT_TRUE(document.findElement("r"));
    ASSERT_TRUE(document.findChildElement());
    ASSERT_TRUE(document.findChildElement());
    EXPECT_FALSE(document.findChildElement());
}

// Fault guarded: a failed parse leaving elements of the partial parse reachable.
TEST(MarkupParseTest, FailedParseLeavesOnlyTheDocumentNode) {
    MarkupDocument document;
    ASSERT_TRUE(document.setText("<a><b/><c/></a>"));
    EXPECT_FALSE(document.setText("<a><b/><c/></d>"));
    EXPECT_EQ(document.ElementCount(), 0u);
    EXPECT_FALSE(document.findElement());
    EXPECT_FALSE(document.findChildElement());
    EXPECT_FALSE(document.enterElement());
    ASSERT_TRUE(document.setText("<x/>"));  // the same document parses again afterwards
    EXPECT_TRUE(document.findElement("x"));
}

std::string Nested(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<e>";
    for (int i = 0; i < depth; ++i) text += "</e>";
    return text;
}

// Fault guarded: deep nesting exhausting the stack instead of parsing or failing cleanly.
TEST(MarkupParseTest, DeepNestingParsesUpToTheLimitAndFailsClearlyBeyond) {
    MarkupDocument document;
    ASSERT_TRUE(document.setText(Nested(markup::kMaxNestingDepth)));
    EXPECT_EQ(document.ElementCount(), static_cast<size_t>(markup::kMaxNestingDepth));
    ASSERT_TRUE(document.findElement());
    int levels = 1;
    while (document.findChildElement()) {
        ++levels;
        ASSERT_TRUE(document.enterElement());
    }
    EXPECT_EQ(levels, markup::kMaxNestingDepth);

    EXPECT_FALSE(document.setText(Nested(markup::kMaxNestingDepth + 1)));
    EXPECT_EQ(document.statusText(), ", Elements nested deeper than 100000 levels at element e");
}

}  // namespace
