// The session script reader, the quoting it shares with transcripts, and the host's access.
#include "platform/dialog/SessionScript.h"

#include <gtest/gtest.h>

#include "platform/dialog/QuotedText.h"

namespace {

using platform::ReadSessionScript;

TEST(SessionScriptTest, ReadsActionsSkippingCommentsAndBlankLines) {
    const auto read = ReadSessionScript(
        "# a comment\r\n"
        "\n"
        "   press ok\r\n"
        "type name \"two words\\t\\\"q\\\" \\x41\"\n"
        "edit-cell grid 1 2 \"\"\n"
        "select-entities surfaces 3\n"
        "host-anything goes \"here\"\n"
        "wait 500");
    ASSERT_TRUE(read) << read.Describe();
    ASSERT_EQ(read->size(), 6u);
    EXPECT_EQ((*read)[0].line, 3);
    EXPECT_EQ((*read)[0].verb, "press");
    EXPECT_EQ((*read)[0].arguments, std::vector<std::string>{"ok"});
    EXPECT_EQ((*read)[1].arguments, (std::vector<std::string>{"name", "two words\t\"q\" A"}));
    EXPECT_EQ((*read)[2].arguments, (std::vector<std::string>{"grid", "1", "2", ""}));
    EXPECT_EQ((*read)[3].verb, "select-entities");
    EXPECT_EQ((*read)[4].arguments, (std::vector<std::string>{"goes", "here"}));
    EXPECT_EQ((*read)[5].line, 8);
}

TEST(SessionScriptTest, BadLinesAreErrorsNamingTheLine) {
    struct Case {
        const char* script;
        int line;
        const char* error;
    } cases[] = {
        {"press ok\njump ok", 2, "unknown action 'jump'"},
        {"press", 1, "'press' takes 1 argument(s), not 0"},
        {"press ok cancel", 1, "'press' takes 1 argument(s), not 2"},
        {"press \"ok\"", 1, "argument 1 of 'press' must name a control (a name or #identifier)"},
        {"press #", 1, "argument 1 of 'press' must name a control (a name or #identifier)"},
        {"press #-3", 1, "argument 1 of 'press' must name a control (a name or #identifier)"},
        {"select list -1", 1, "argument 2 of 'select' must be a whole number from 0"},
        {"select list 99999999999", 1, "argument 2 of 'select' must be a whole number from 0"},
        {"wait soon", 1, "argument 1 of 'wait' must be a whole number from 0"},
        {"type name \"open", 1, "quoted text is not closed"},
        {"type name \"a\"b", 1, "a quoted text must be followed by a blank"},
        {"type name a\"b", 1, "a quote inside a word; quote the whole text"},
        {"type name \"\\q\"", 1, "unknown escape \\q"},
        {"type name \"\\x4\"", 1, "\\x needs two hexadecimal digits"},
        {"\n\ntype name a\x01", 3,
         "control character in the line; write it as an escape in quotes"},
        {"\"press\" ok", 1, "unknown action 'press'"},
        {"close now", 1, "'close' takes 0 argument(s), not 1"},
    };
    for (const Case& c : cases) {
        const auto read = ReadSessionScript(c.script);
        EXPECT_FALSE(read) << c.script;
        EXPECT_EQ(read.GetStatus().Line(), c.line) << c.script;
        EXPECT_EQ(read.GetStatus().Reason(), c.error) << c.script;
        EXPECT_TRUE(!read);
    }
}

TEST(SessionScriptTest, MissingFileIsAnErrorAtLineZero) {
    const auto read = platform::ReadSessionScriptFile("/nonexistent/session.txt");
    EXPECT_FALSE(read);
    EXPECT_EQ(read.GetStatus().Line(), 0);
    EXPECT_EQ(read.Describe(),
              "cannot read session script /nonexistent/session.txt: No such file or directory");
}

TEST(SessionScriptTest, HostTakesOnlyTheHostActionItAsksFor) {
    auto read = ReadSessionScript("pick-location 1 2 3\npress ok\n");
    ASSERT_TRUE(read);
    platform::SessionScript script(std::move(*read));
    const auto other = script.TakeHostAction("select-entities");
    EXPECT_FALSE(other);
    EXPECT_EQ(other.Describe(),
              "line 1: the host needs 'select-entities' here, the script has 'pick-location'");
    const auto pick = script.TakeHostAction("pick-location");
    ASSERT_TRUE(pick);
    EXPECT_EQ((*pick)->arguments, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(script.Next()->verb, "press");
    script.Consume();
    const auto none = script.TakeHostAction("pick-location");
    EXPECT_FALSE(none);
    EXPECT_EQ(none.Describe(), "the session script has no 'pick-location' left");
}

TEST(SessionScriptTest, ReservedHostVerbs) {
    EXPECT_TRUE(platform::IsHostVerb("select-entities"));
    EXPECT_TRUE(platform::IsHostVerb("pick-location"));
    EXPECT_TRUE(platform::IsHostVerb("host-zoom"));
    EXPECT_FALSE(platform::IsHostVerb("press"));
}

TEST(QuotedTextTest, QuotingRoundTripsEveryByte) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    const std::string quoted = platform::QuoteText(all);
    for (const char c : quoted)  // one line, printable apart from bytes above 0x7f
        EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
    const platform::Expected<platform::UnquotedText> back = platform::UnquoteText(quoted + " rest");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->text, all);
    EXPECT_EQ(back->length, quoted.size());
}

}  // namespace
