// The part entry dialog against the stand-in host under session scripts: the index boxes, the
// two circle picks, the fixture posts it shows and the move of the part onto the chosen pin.
#include "dialogs/DlgPartEntry.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <variant>
#include <vector>

#include "dialogs/AddinModule.h"
#include "platform/MessageService.h"
#include "platform/dialog/ListControls.h"
#include "tests/hostlink/ControllerFixture.h"

namespace {

using Lines = std::vector<std::string>;

// Remembers every drop-down box's entries and selected text ("" for none) when OK is pressed.
class ObservedPartEntry : public CDlgPartEntry {
public:
    std::map<std::string, Lines> entries;
    std::map<std::string, std::string> chosen;
    // The selected section, row and column of one row of boxes ("fixed-b"), as "s r c".
    std::string Post(const std::string& row) {
        return chosen[row + "-section"] + " " + chosen[row + "-row"] + " " +
               chosen[row + "-column"];
    }

protected:
    void OnOK() override {
        for (const auto& control : Controls())
            if (const auto* box = dynamic_cast<const platform::ComboBox*>(control.get())) {
                for (int i = 0; i < box->Entries().Count(); ++i)
                    entries[box->Name()].push_back(box->Entries().Text(i));
                chosen[box->Name()] = box->SelectedText();
            }
        CDlgPartEntry::OnOK();
    }
};

// Posts of s sections, r rows, c columns at x = 120 (c - 1), y = 2000 (s - 1) + 100 (r - 1),
// z = 5. Fixture dimensions keep their defaults: length 250, pinned length 125, pin distance 25.
std::string GridTable(int sections, int rows, int columns) {
    std::string text;
    for (int s = 1; s <= sections; ++s)
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= columns; ++c)
                text += "POST " + std::to_string(s) + " " + std::to_string(r) + " " +
                        std::to_string(c) + " " + std::to_string(120 * (c - 1)) + " " +
                        std::to_string(2000 * (s - 1) + 100 * (r - 1)) + " 5 0 0 1\n";
    return text;
}

Lines Numbers(int count) {
    Lines texts;
    for (int i = 1; i <= count; ++i) texts.push_back(std::to_string(i));
    return texts;
}

constexpr const char* kPickBoth =
    "press pick-fixed\nselect-entities 15 20 0\npress pick-sliding\nselect-entities 115 20 0\n";
constexpr const char* kNotLevel =
    "The Fixed Point and the Sliding Point are not horzontal\nPlease re-select the Sliding Circle";

class DlgPartEntryTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        Bind();
        DrawPart();
    }

    // The fixed end circle at (10, 20, 0), the sliding one at x 110 and `slidingDy` off in y,
    // the part's line between them, a point on layer 249, one on 250, a line on 251.
    void DrawPart(double slidingDy = 0.0) {
        host::Drawing& drawing = host_.ActiveDrawing();
        drawing.Clear();
        drawing.Add(host::ArcGeometry{{10, 20, 0}, {0, 0, 1}, {1, 0, 0}, 6.25, 5}, 1, 1);
        drawing.Add(host::ArcGeometry{{110, 20 + slidingDy, 0}, {0, 0, 1}, {1, 0, 0}, 6.25, 5}, 1,
                    1);
        drawing.Add(host::LineGeometry{{10, 20, 0}, {110, 20, 0}}, 1, 5);
        drawing.Add(host::PointGeometry{{60, 20, 0}}, 1, 249);
        drawing.Add(host::PointGeometry{{60, 20, 0}}, 1, 250);
        drawing.Add(host::LineGeometry{{0, 0, 0}, {1, 0, 0}}, 1, 251);
    }
    // Each entity's place: a point's location, a line's start, an arc's centre.
    [[nodiscard]] std::vector<HostVector3> Places() const {
        std::vector<HostVector3> places;
        host_.ActiveDrawing().ForEach([&](const host::Entity& e) {
            if (const auto* p = std::get_if<host::PointGeometry>(&e.geometry))
                places.push_back(p->at);
            if (const auto* l = std::get_if<host::LineGeometry>(&e.geometry))
                places.push_back(l->start);
            if (const auto* a = std::get_if<host::ArcGeometry>(&e.geometry))
                places.push_back(a->center);
        });
        return places;
    }

    // Opens a fresh dialog on `table` under `script` and returns its result.
    int Run(const std::string& table, const std::string& script) {
        entry_ = std::make_unique<ObservedPartEntry>();
        entry_->Part.Table.ReadText(table);
        entry_->Part.Controller = &ctrl_;
        platform::ClearMessages();
        host::testing::PlaySessionScript(script);
        return entry_->DoModal();
    }

    platform::ModuleScope addin_{dialogs::AddinModule()};
    std::unique_ptr<ObservedPartEntry> entry_;
};

TEST_F(DlgPartEntryTest, FaceKeepsControlsInsideAndApartExceptInTheirGroups) {
    const platform::DialogTemplate face = CDlgPartEntry::Template();
    using Rect = platform::DialogRect;
    const auto inside = [](const Rect& a, const Rect& b) {
        return a.x >= b.x && a.y >= b.y && a.x + a.width <= b.x + b.width &&
               a.y + a.height <= b.y + b.height;
    };
    const auto overlap = [](const Rect& a, const Rect& b) {
        return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
               b.y < a.y + a.height;
    };
    for (const platform::ControlTemplate& a : face.controls) {
        EXPECT_TRUE(inside(a.place, {0, 0, face.width, face.height})) << a.name;
        for (const platform::ControlTemplate& b : face.controls) {
            if (&a == &b || !overlap(a.place, b.place)) continue;
            // Only a group box holds other controls, and then wholly.
            const bool held = b.kind == platform::ControlKind::GroupBox && inside(a.place, b.place);
            const bool holds =
                a.kind == platform::ControlKind::GroupBox && inside(b.place, a.place);
            EXPECT_TRUE(held || holds) << a.name << " overlaps " << b.name;
        }
    }
}

// Guards against lists in text order ("10" before "2"), against starting elsewhere than "1",
// and against listing every number up to a mistyped post number.
TEST_F(DlgPartEntryTest, IndexBoxesListTheNumbersInOrderAndStartOnOne) {
    const std::string normal = "POST 1 1 1 0 0 5 0 0 1\nPOST 1 2 3 120 100 5 0 0 1\n";
    struct Case {
        std::string table;
        const char* box;
        Lines listed;
    } cases[] = {
        {GridTable(11, 10, 12), "fixed-a-section", Numbers(11)},
        {GridTable(11, 10, 12), "sliding-b-row", Numbers(10)},
        {GridTable(11, 10, 12), "fixed-b-column", Numbers(12)},
        {GridTable(1, 1, 1), "pin-locator", Numbers(6)},
        {normal + "POST 1000000 1 1 0 0 5 0 0 1\n", "fixed-a-section", {"1", "1000000"}},
        {normal + "POST 1 2000000000 1 0 0 5 0 0 1\n", "sliding-a-row", {"1", "2", "2000000000"}},
        {normal + "POST 1 1 2000000000 0 0 5 0 0 1\n", "fixed-b-column", {"1", "3", "2000000000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box + (" on " + c.table.substr(0, 40)));
        EXPECT_EQ(Run(c.table, "press ok\n"), platform::kResultOk);
        EXPECT_EQ(entry_->entries[c.box], c.listed);
        EXPECT_EQ(entry_->chosen.size(), 13u);
        for (const auto& [name, text] : entry_->chosen) EXPECT_EQ(text, "1") << name;
    }
}

// The other fixture ends against a hand computation on GridTable(11, 10, 12).
TEST_F(DlgPartEntryTest, ChoosingPostAOrThePinShowsTheOtherEnds) {
    struct Case {
        std::string script;
        const char* fixedB;
        const char* slidingA;
        const char* slidingB;
    } cases[] = {
        // A (1,3,2) at x 120, circles 100 apart, pin 3: B nearest x 370 is column 4 (360);
        // xs = 120 + 62.5 + 3 * 25 + 100 - 125 = 232.5, column 3; xs + 250 = 482.5, column 5.
        {std::string(kPickBoth) +
             "choose fixed-a-row 3\nchoose fixed-a-column 2\nchoose pin-locator 3\n",
         "1 3 4", "1 3 3", "1 3 5"},
        // A (1,1,1) at x 0, circles not picked (difference 0), pin 1 (the typed 6 is not read):
        // B nearest 250 is column 3 (240); xs = -37.5, column 1; xs + 250 = 212.5, column 3.
        {"type pin-locator 6\nchoose fixed-a-column 1\n", "1 1 3", "1 1 1", "1 1 3"},
        // The table's last post: every end falls on it.
        {"choose fixed-a-section 11\nchoose fixed-a-row 10\nchoose fixed-a-column 12\n"
         "choose pin-locator 6\n",
         "11 10 12", "11 10 12", "11 10 12"},
        // An empty table: no post A, the boxes stay empty.
        {"choose pin-locator 2\n", "  ", "  ", "  "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        const bool empty = std::string(c.fixedB) == "  ";
        EXPECT_EQ(Run(empty ? "" : GridTable(11, 10, 12), c.script + "press ok\n"),
                  platform::kResultOk);
        EXPECT_EQ(entry_->Post("fixed-b"), c.fixedB);
        EXPECT_EQ(entry_->Post("sliding-a"), c.slidingA);
        EXPECT_EQ(entry_->Post("sliding-b"), c.slidingB);
        EXPECT_TRUE(platform::ShownMessages().empty());
    }
}

TEST_F(DlgPartEntryTest, APickHidesTheDialogBehindTheHostAndShowsItAgain) {
    EXPECT_EQ(Run(GridTable(1, 2, 2), "press pick-fixed\nselect-entities 15 20 0\npress ok\n"),
              platform::kResultOk);
    EXPECT_EQ(Transcript(),
              (Lines{"disable host", "foreground host", "foreground \"Part Dialog\"",
                     "show \"Part Dialog\"",
                     // the pick: hidden behind the host, which comes to the front again
                     "foreground host", "foreground \"Part Dialog\"", "hide \"Part Dialog\"",
                     "foreground host",
                     // back after the host's selection
                     "foreground \"Part Dialog\"", "show \"Part Dialog\"", "end \"Part Dialog\" OK",
                     "enable host"}));
    EXPECT_EQ(host_.ActiveDrawing().SelectedCount(), 0u);
}

TEST_F(DlgPartEntryTest, PicksTakeTheSelectedArcsAndTestThatTheyAreLevel) {
    struct Case {
        std::string script;
        double slidingDy;
        double fixedX;
        double slidingX;
        Lines messages;
    } cases[] = {
        {kPickBoth, 0.001, 10, 110, {}},
        {kPickBoth, -0.001, 10, 110, {}},
        {kPickBoth, 0.0011, 10, NotSet, {kNotLevel}},
        {kPickBoth, -0.0011, 10, NotSet, {kNotLevel}},
        {"press pick-sliding\n", 0, NotSet, NotSet, {"Please Select the Fixed Arc First"}},
        {"press pick-fixed\nselect-entities cancel\n", 0, NotSet, NotSet, {}},
        {"press pick-fixed\nselect-entities 15 20 0\npress pick-fixed\nselect-entities 115 20 0\n",
         0,
         110,
         NotSet,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script + std::to_string(c.slidingDy));
        DrawPart(c.slidingDy);
        EXPECT_EQ(Run(GridTable(1, 2, 2), c.script + "press ok\n"), platform::kResultOk);
        EXPECT_EQ(entry_->Part.FixedEndCircle.center.x, c.fixedX);
        EXPECT_EQ(entry_->Part.SlidingEndCircle.center.x, c.slidingX);
        EXPECT_EQ(platform::ShownMessages(), c.messages);
    }
    EXPECT_EQ(entry_->Part.FixedEndCircle.radius, 5);
}

TEST_F(DlgPartEntryTest, TranslateRefusesWithItsMessageAndLeavesThePart) {
    const std::string twoPosts = "POST 1 1 1 0 0 5 0 0 1\nPOST 2 2 2 500 0 5 0 0 1\n";
    const std::string named = std::string(kPickBoth) + "type part-name P\n";
    struct Case {
        std::string table;
        std::string script;
        const char* message;
    } cases[] = {
        {twoPosts, "type part-name P\n", "Fixed Center is not set"},
        {twoPosts, "type part-name P\npress pick-fixed\nselect-entities 15 20 0\n",
         "Slide Center is not set"},
        {twoPosts, kPickBoth, "The Part Name is Empty"},
        {twoPosts, named + "choose fixed-a-section 2\n", "ERROR: Sec = 2, Row = 1, Col = 1"},
        // The empty boxes of an empty table, or of one numbered 0 only, match no post.
        {"", named, "ERROR: Sec = 0, Row = 0, Col = 0"},
        {"POST 0 0 0 0 0 5 0 0 1\n", named, "ERROR: Sec = 0, Row = 0, Col = 0"},
        // A post location that is no finite point would make the host drop the moved part.
        {"POST 1 1 1 nan 0 5 0 0 1\n", named, "ERROR: Sec = 1, Row = 1, Col = 1"},
    };
    const std::vector<HostVector3> before = Places();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(Run(c.table, c.script + "press translate\npress ok\n"), platform::kResultOk);
        EXPECT_EQ(platform::ShownMessages(), Lines{c.message});
        EXPECT_EQ(Places(), before);
        EXPECT_FALSE(host_.Zoom().has_value());
    }
}

// A (1,2,2) at (120, 100, 5), pin 3: the target lies 2 * 25 + 62.5 beyond A along x and the
// Z height above it; everything below layer 250 moves by target - fixed centre.
TEST_F(DlgPartEntryTest, TranslateMovesThePartOntoThePinAndASecondOneByNothing) {
    EXPECT_EQ(Run(GridTable(1, 3, 6), std::string(kPickBoth) +
                                          "type part-name P1\nchoose fixed-a-row 2\n"
                                          "choose fixed-a-column 2\nchoose pin-locator 3\n"
                                          "press translate\npress translate\npress ok\n"),
              platform::kResultOk);
    EXPECT_TRUE(platform::ShownMessages().empty());
    EXPECT_EQ(Places(), (std::vector<HostVector3>{{232.5, 100, 105},
                                                  {332.5, 100, 105},
                                                  {232.5, 100, 105},
                                                  {282.5, 100, 105},
                                                  {60, 20, 0},
                                                  {0, 0, 0}}));
    const CApiArc& fixed = entry_->Part.FixedEndCircle;
    const CApiArc& sliding = entry_->Part.SlidingEndCircle;
    EXPECT_EQ((HostVector3{fixed.center.x, fixed.center.y, fixed.center.z}),
              (HostVector3{232.5, 100, 105}));
    EXPECT_EQ((HostVector3{sliding.center.x, sliding.center.y, sliding.center.z}),
              (HostVector3{332.5, 100, 105}));
    EXPECT_EQ(sliding.radius, 5);
    EXPECT_TRUE(host_.Zoom().has_value());
    Lines status;  // the progress box's text, set for each move and cleared after it
    for (const std::string& line : Transcript())
        if (line.starts_with("text \"\" text ")) status.push_back(line.substr(13));
    EXPECT_EQ(status, (Lines{"\"Moving the Part\"", "\"\"", "\"Moving the Part\"", "\"\""}));
}

TEST_F(DlgPartEntryTest, ZHeightLiftsByItsLeadingNumber) {
    // Post (1,1,1) at z 5; a height that is no finite number lifts by 0, as text does.
    const std::pair<const char*, double> cases[] = {
        {"100.0", 105}, {"12.5mm", 17.5}, {"abc", 5}, {"", 5}, {"nan", 5}, {"-1e999", 5}};
    for (const auto& [typed, z] : cases) {
        SCOPED_TRACE(typed);
        DrawPart();
        EXPECT_EQ(Run(GridTable(1, 1, 1), std::string(kPickBoth) + "type part-name P\n" +
                                              "type z-height \"" + typed + "\"\npress translate\n" +
                                              "press ok\n"),
                  platform::kResultOk);
        ASSERT_EQ(Places().size(), 6u);
        EXPECT_EQ(Places()[2].z, z);
    }
}

TEST_F(DlgPartEntryTest, OkKeepsWhatWasTypedWithoutChecks) {
    EXPECT_EQ(Run(GridTable(1, 1, 1), "type z-height 7\npress ok\n"), platform::kResultOk);
    EXPECT_EQ(entry_->Part.PartName, "");
    EXPECT_EQ(entry_->Part.ZHeight, "7");
    EXPECT_EQ(Run(GridTable(1, 1, 1), "type part-name \" P-7 \"\npress ok\n"), platform::kResultOk);
    EXPECT_EQ(entry_->Part.PartName, " P-7 ");
}

}  // namespace
