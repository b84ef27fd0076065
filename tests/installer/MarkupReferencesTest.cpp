// Decoding of character and entity references.
#include "installer/MarkupReferences.h"

#include <gtest/gtest.h>

namespace {

TEST(MarkupReferencesTest, DecodesOrKeepsAsWritten) {
    struct Case {
        const char* text;
        const char* decoded;
    } cases[] = {
        {"&#65;", "A"},
        {"&#x41;", "A"},
        {"&#x4a;&#x4A;", "JJ"},
        {"&#0000065;", "A"},             // seven digits: ";" is the eighth character
        {"&#00000065;", "&#00000065;"},  // eight digits: ";" lies beyond reach
        {"&#x0000041;", "A"},
        {"&#x00000041;", "&#x00000041;"},
        {"&#0;", "&#0;"},  // character 0 is never produced
        {"&#;", "&#;"},
        {"&#x;", "&#x;"},
        {"&#X41;", "&#X41;"},  // only a lower-case x starts the hexadecimal form
        {"&#6a;", "&#6a;"},
        {"&#65", "&#65"},
        {"&#233;", "\xC3\xA9"},  // UTF-8 is the reader's code page
        {"&#x20AC;", "\xE2\x82\xAC"},
        {"&#x1F600;", "\xF0\x9F\x98\x80"},
        {"&#xD800;", "&#xD800;"},  // surrogates are no characters
        {"&#x110000;", "&#x110000;"},
        {"&lt;&amp;&gt;&apos;&quot;", "<&>'\""},
        {"&foo;", "&foo;"},
        {"&lt", "&lt"},  // the ";" must lie inside the text
        {"a & b", "a & b"},
        {"&amp;lt;", "&lt;"},  // one pass: the decoded "&" starts nothing
        {"&&amp;", "&&"},
        {"x&", "x&"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(markup::DecodeReferences(c.text), c.decoded) << c.text;
}

}  // namespace
