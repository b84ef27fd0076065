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
using platform::ComboBox;

// Remembers every drop-down box's entries and selected text when OK is pressed.
class ObservedPartEntry : public CDlgPartEntry {
public:
    std::map<std::string, Lines> entries;
    std::map<std::string, std::string> chosen;  // "" when nothing is selected

protected:
    void OnOK() override {
        for (const auto& control : Controls()) {
            const auto* box = dynamic_cast<const ComboBox*>(control.get());
            if (box == nullptr) continue;
            Lines& texts = entries[box->Name()];
            for (int i = 0; i < box->Entries().Count(); ++i)
                texts.push_back(box->Entries().Text(i));
            chosen[box->Name()] = box->SelectedText();
        }
        CDlgPartEntry::OnOK();
    }
};

// Posts on a grid: section s, row r, column c at x = 120 (c - 1), y = 2000 (s - 1) + 100 (r - 1),
// z = 5, in that order of s, r, c. Fixture dimensions keep their defaults (250, 125, 25).
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

// A place of each entity: a point's location, a line's start, an arc's centre.
HostVector3 Anchor(const host::Entity& e) {
    return std::visit(
        [](const auto& g) -> HostVector3 {
            using G = std::decay_t<decltype(g)>;
            if constexpr (std::is_same_v<G, host::PointGeometry>) return g.at;
            if constexpr (std::is_same_v<G, host::LineGeometry>) return g.start;
            if constexpr (std::is_same_v<G, host::ArcGeometry>) return g.center;
            return {};
        },
        e.geometry);
}

constexpr const char* kPickBoth = R"(press pick-fixed
select-entities 15 20 0
press pick-sliding
select-entities 115 20 0
)";

class DlgPartEntryTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        Bind();
    }

    // The fixed end circle at (10, 20, 0), the sliding one 100 further along x and `slidingDy`
    // off in y, the part's line between them, and a point on each of layers 249 and 250 and a
    // line on 251.
    void DrawPart(double slidingDy = 0.0) {
        host::Drawing& drawing = host_.drawing();
        drawing.Clear();
        drawing.Add(host::ArcGeometry{{10, 20, 0}, {0, 0, 1}, {1, 0, 0}, 6.25, 5}, 1, 1);
        drawing.Add(host::ArcGeometry{{110, 20 + slidingDy, 0}, {0, 0, 1}, {1, 0, 0}, 6.25, 5}, 1,
                    1);
        drawing.Add(host::LineGeometry{{10, 20, 0}, {110, 20, 0}}, 1, 5);
        drawing.Add(host::PointGeometry{{60, 20, 0}}, 1, 249);
        drawing.Add(host::PointGeometry{{60, 20, 0}}, 1, 250);
        drawing.Add(host::LineGeometry{{0, 0, 0}, {1, 0, 0}}, 1, 251);
    }
    [[nodiscard]] std::vector<HostVector3> Anchors() const {
        std::vector<HostVector3> anchors;
        host_.drawing().ForEach([&](const host::Entity& e) { anchors.push_back(Anchor(e)); });
        return anchors;
    }

    // Opens a fresh dialog on `table` under `script` and returns its result.
    int Run(const std::string& table, std::string_view script) {
        entry_ = std::make_unique<ObservedPartEntry>();
        entry_->Part.Table.ReadText(table);
        entry_->Part.Controller = &ctrl_;
        platform::ClearMessages();
        host::testing::PlaySessionScript(script);
        return entry_->DoModal();
    }
    [[nodiscard]] PartSetup& Part() const { return entry_->Part; }

    platform::ModuleScope addin_{AddinModule()};
    std::unique_ptr<ObservedPartEntry> entry_;
};

TEST_F(DlgPartEntryTest, FaceKeepsEveryControlInsideTheClientAreaAndApart) {
    const platform::DialogTemplate face = CDlgPartEntry::Template();
    const auto inside = [](const platform::DialogRect& inner, const platform::DialogRect& outer) {
        return inner.x >= outer.x && inner.y >= outer.y &&
               inner.x + inner.width <= outer.x + outer.width &&
               inner.y + inner.height <= outer.y + outer.height;
    };
    const auto overlap = [](const platform::DialogRect& a, const platform::DialogRect& b) {
        return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
               b.y < a.y + a.height;
    };
    int dropDownLists = 0;
    for (const platform::ControlTemplate& a : face.controls) {
        EXPECT_TRUE(inside(a.place, {0, 0, face.width, face.height})) << a.name;
        dropDownLists += a.kind == platform::ControlKind::DropDownList;
        for (const platform::ControlTemplate& b : face.controls) {
            if (&a == &b || !overlap(a.place, b.place)) continue;
            // Only a group box may hold other controls, and then wholly.
            const bool held = a.kind == platform::ControlKind::GroupBox && inside(b.place, a.place);
            const bool holds =
                b.kind == platform::ControlKind::GroupBox && inside(a.place, b.place);
            EXPECT_TRUE(held || holds) << a.name << " overlaps " << b.name;
        }
    }
    EXPECT_EQ(dropDownLists, 12);
}

// Guards against lists built as text order ("10" before "2") or starting elsewhere than "1".
TEST_F(DlgPartEntryTest, IndexBoxesListEveryNumberInOrderAndStartOnOne) {
    EXPECT_EQ(Run(GridTable(11, 10, 12), "press ok\n"), platform::kResultOk);
    const auto numbers = [](int count) {
        Lines texts;
        for (int i = 1; i <= count; ++i) texts.push_back(std::to_string(i));
        return texts;
    };
    for (const char* fixture : {"fixed-a", "fixed-b", "sliding-a", "sliding-b"}) {
        const std::string prefix = fixture;
        EXPECT_EQ(entry_->entries[prefix + "-section"], numbers(11)) << fixture;
        EXPECT_EQ(entry_->entries[prefix + "-row"], numbers(10)) << fixture;
        EXPECT_EQ(entry_->entries[prefix + "-column"], numbers(12)) << fixture;
        for (const char* box : {"-section", "-row", "-column"})
            EXPECT_EQ(entry_->chosen[prefix + box], "1") << prefix + box;
    }
    EXPECT_EQ(entry_->entries["pin-locator"], numbers(6));
    EXPECT_EQ(entry_->chosen["pin-locator"], "1");
}

// A mistyped post number must not make the dialog list every number up to it.
TEST_F(DlgPartEntryTest, MistypedPostNumbersListOnlyTheNumbersInUse) {
    const std::string normal = "POST 1 1 1 0 0 5 0 0 1\nPOST 1 2 3 120 100 5 0 0 1\n";
    struct Case {
        const char* post;
        const char* box;
        Lines listed;
    } cases[] = {
        {"POST 1000000 1 1 0 0 5 0 0 1\n", "fixed-a-section", {"1", "1000000"}},
        {"POST 1 2000000000 1 0 0 5 0 0 1\n", "sliding-b-row", {"1", "2", "2000000000"}},
        {"POST 1 1 2000000000 0 0 5 0 0 1\n", "fixed-b-column", {"1", "3", "2000000000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.post);
        EXPECT_EQ(Run(normal + c.post, "press ok\n"), platform::kResultOk);
        EXPECT_EQ(entry_->entries[c.box], c.listed);
        EXPECT_EQ(entry_->chosen[c.box], "1");
    }
}

// The posts shown for the other fixture ends, against a hand computation on GridTable(11, 10, 12)
// with fixture length 250, pinned length 125 and pin distance 25.
TEST_F(DlgPartEntryTest, ChoosingFixedPostAOrThePinShowsTheOtherEnds) {
    struct Case {
        const char* what;
        std::string script;
        const char* fixedB[3];
        const char* slidingA[3];
        const char* slidingB[3];
    } cases[] = {
        // A (1,3,2) at x 120, circles 100 apart, pin 3: B nearest x 370 is column 4 (360);
        // xs = 120 + 62.5 + 75 + 100 - 125 = 232.5, column 3 (240); xs + 250, column 5 (480).
        {"picked circles and pin 3",
         std::string(kPickBoth) +
             "choose fixed-a-row 3\nchoose fixed-a-column 2\nchoose pin-locator 3\n",
         {"1", "3", "4"},
         {"1", "3", "3"},
         {"1", "3", "5"}},
        // A (1,1,1) at x 0, circles not picked (difference 0), pin 1, the typed 6 not read:
        // B nearest 250 is column 3 (240); xs = -37.5, column 1; xs + 250 = 212.5, column 3.
        {"no circles, typed pin",
         "type pin-locator 6\nchoose fixed-a-column 1\n",
         {"1", "1", "3"},
         {"1", "1", "1"},
         {"1", "1", "3"}},
        // A (11,10,12), the table's last post: every end falls on it.
        {"last post, pin 6",
         "choose fixed-a-section 11\nchoose fixed-a-row 10\nchoose fixed-a-column 12\n"
         "choose pin-locator 6\n",
         {"11", "10", "12"},
         {"11", "10", "12"},
         {"11", "10", "12"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DrawPart();
        EXPECT_EQ(Run(GridTable(11, 10, 12), c.script + "press ok\n"), platform::kResultOk);
        const char* boxes[] = {"-section", "-row", "-column"};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(entry_->chosen[std::string("fixed-b") + boxes[i]], c.fixedB[i]) << boxes[i];
            EXPECT_EQ(entry_->chosen[std::string("sliding-a") + boxes[i]], c.slidingA[i])
                << boxes[i];
            EXPECT_EQ(entry_->chosen[std::string("sliding-b") + boxes[i]], c.slidingB[i])
                << boxes[i];
        }
        EXPECT_TRUE(platform::ShownMessages().empty());
    }
}

TEST_F(DlgPartEntryTest, APickHidesTheDialogBehindTheHostAndShowsItAgain) {
    DrawPart();
    EXPECT_EQ(Run(GridTable(1, 2, 2), "press pick-fixed\nselect-entities 15 20 0\npress ok\n"),
              platform::kResultOk);
    EXPECT_EQ(Transcript(), (Lines{
                                "disable host",
                                "foreground host",
                                "foreground \"Part Dialog\"",
                                "show \"Part Dialog\"",
                                "foreground host",
                                "foreground \"Part Dialog\"",
                                "hide \"Part Dialog\"",

                                "foreground host",
                                "foreground \"Part Dialog\"",
                                "show \"Part Dialog\"",
                                "end \"Part Dialog\" OK",
                                "enable host",
                            }));
    EXPECT_EQ(host_.drawing().SelectedCount(), 0u);
}

TEST_F(DlgPartEntryTest, PicksFillTheCirclesFromTheSelectedArcs) {
    struct Case {
        const char* what;
        const char* script;
        double fixedX;
        double slidingX;
        Lines messages;
    } cases[] = {
        {"both", kPickBoth, 10, 110, {}},
        {"sliding first",
         "press pick-sliding\n",
         NotSet,
         NotSet,
         {"Please Select the Fixed Arc First"}},
        {"cancelled selection", "press pick-fixed\nselect-entities cancel\n", NotSet, NotSet, {}},
        {"fixed picked again",
         "press pick-fixed\nselect-entities 15 20 0\n"
         "press pick-fixed\nselect-entities 115 20 0\n",
         110,
         NotSet,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DrawPart();
        EXPECT_EQ(Run(GridTable(1, 2, 2), std::string(c.script) + "press ok\n"),
                  platform::kResultOk);
        EXPECT_EQ(Part().FixedEndCircle.center.x, c.fixedX);
        EXPECT_EQ(Part().SlidingEndCircle.center.x, c.slidingX);
        EXPECT_EQ(platform::ShownMessages(), c.messages);
    }
    EXPECT_EQ(Part().FixedEndCircle.radius, 5);
    EXPECT_EQ(Part().FixedEndCircle.sweep, 6.25);
}

TEST_F(DlgPartEntryTest, ASlidingCircleMoreThanAThousandthOffLevelIsRefused) {
    for (const double dy : {0.001, -0.001, 0.0011, -0.0011}) {
        SCOPED_TRACE(dy);
        const bool level = std::abs(dy) < 0.00105;
        DrawPart(dy);
        EXPECT_EQ(Run(GridTable(1, 2, 2), std::string(kPickBoth) + "press ok\n"),
                  platform::kResultOk);
        EXPECT_EQ(Part().SlidingEndCircle.center.x, level ? 110 : NotSet);
        EXPECT_EQ(platform::ShownMessages(),
                  level ? Lines{}
                        : Lines{"The Fixed Point and the Sliding Point are not horzontal\nPlease "
                                "re-select the Sliding Circle"});
    }
}

TEST_F(DlgPartEntryTest, TranslateRefusesWithItsMessageAndLeavesThePart) {
    const std::string twoPosts = "POST 1 1 1 0 0 5 0 0 1\nPOST 2 2 2 500 0 5 0 0 1\n";
    struct Case {
        const char* what;
        std::string table;
        std::string script;
        const char* message;
    } cases[] = {
        {"nothing picked", twoPosts, "type part-name P\n", "Fixed Center is not set"},
        {"sliding not picked", twoPosts,
         "type part-name P\npress pick-fixed\nselect-entities 15 20 0\n",
         "Slide Center is not set"},
        {"no name", twoPosts, kPickBoth, "The Part Name is Empty"},
        {"no such post", twoPosts,
         std::string(kPickBoth) + "type part-name P\nchoose fixed-a-section 2\n",
         "ERROR: Sec = 2, Row = 1, Col = 1"},
        // The empty boxes of an empty table, or of one whose numbers are all 0, match no post.
        {"empty table", "", std::string(kPickBoth) + "type part-name P\n",
         "ERROR: Sec = 0, Row = 0, Col = 0"},
        {"post 0 0 0", "POST 0 0 0 0 0 5 0 0 1\n", std::string(kPickBoth) + "type part-name P\n",
         "ERROR: Sec = 0, Row = 0, Col = 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DrawPart();
        const std::vector<HostVector3> before = Anchors();
        EXPECT_EQ(Run(c.table, c.script + "press translate\npress ok\n"), platform::kResultOk);
        EXPECT_EQ(platform::ShownMessages(), Lines{c.message});
        EXPECT_EQ(Anchors(), before);
        EXPECT_FALSE(host_.zoom().has_value());
    }
}

TEST_F(DlgPartEntryTest, EmptyTableLeavesEveryIndexBoxEmpty) {
    EXPECT_EQ(Run("", "choose pin-locator 2\npress ok\n"), platform::kResultOk);
    for (const auto& [name, texts] : entry_->entries) {
        if (name == "pin-locator") continue;
        EXPECT_TRUE(texts.empty()) << name;
        EXPECT_EQ(entry_->chosen[name], "") << name;
    }
    EXPECT_EQ(entry_->entries.size(), 13u);
}

// A (1,2,2) at (120, 100, 5) and pin 3: the target is 2 x 25 + 62.5 beyond A along x and
// the Z height above it; everything below layer 250 moves by target - fixed centre.
TEST_F(DlgPartEntryTest, TranslateMovesThePartOntoThePinAndASecondOneByNothing) {
    DrawPart();
    EXPECT_EQ(Run(GridTable(1, 3, 6), std::string(kPickBoth) +
                                          "type part-name P1\nchoose fixed-a-row 2\n"
                                          "choose fixed-a-column 2\nchoose pin-locator 3\n"
                                          "press translate\npress translate\npress ok\n"),
              platform::kResultOk);
    EXPECT_TRUE(platform::ShownMessages().empty());
    EXPECT_EQ(Anchors(), (std::vector<HostVector3>{{232.5, 100, 105},
                                                   {332.5, 100, 105},
                                                   {232.5, 100, 105},
                                                   {282.5, 100, 105},
                                                   {60, 20, 0},
                                                   {0, 0, 0}}));
    const CApiPoint& fixed = Part().FixedEndCircle.center;
    const CApiPoint& sliding = Part().SlidingEndCircle.center;
    EXPECT_EQ((HostVector3{fixed.x, fixed.y, fixed.z}), (HostVector3{232.5, 100, 105}));
    EXPECT_EQ((HostVector3{sliding.x, sliding.y, sliding.z}), (HostVector3{332.5, 100, 105}));
    EXPECT_EQ(Part().SlidingEndCircle.radius, 5);
    EXPECT_TRUE(host_.zoom().has_value());
    // The status text says what happens and is cleared after each move.
    Lines status;
    for (const std::string& line : Transcript())
        if (line.starts_with("text \"\" text ")) status.push_back(line.substr(13));
    EXPECT_EQ(status, (Lines{"\"Moving the Part\"", "\"\"", "\"Moving the Part\"", "\"\""}));
}

TEST_F(DlgPartEntryTest, ZHeightIsReadByItsLeadingNumber) {
    struct Case {
        const char* typed;
        double z;
    } cases[] = {{"100.0", 105},
                 {"abc", 5},
                 {"12.5mm", 17.5},
                 {"", 5},
                 // A height that is no finite number lifts by 0 and loses no geometry.
                 {"nan", 5},
                 {"-1e999", 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        DrawPart();
        EXPECT_EQ(
            Run(GridTable(1, 1, 1), std::string(kPickBoth) + "type part-name P\ntype z-height \"" +
                                        c.typed + "\"\npress translate\npress ok\n"),
            platform::kResultOk);
        ASSERT_EQ(Anchors().size(), 6u);
        EXPECT_EQ(Anchors()[2].z, c.z);
        EXPECT_EQ(Part().ZHeight, c.typed);
    }
}

TEST_F(DlgPartEntryTest, OkKeepsWhatWasTypedWithoutChecks) {
    EXPECT_EQ(Run(GridTable(1, 1, 1), "type part-name \"\"\ntype z-height 7\npress ok\n"),
              platform::kResultOk);
    EXPECT_EQ(Part().PartName, "");
    EXPECT_EQ(Part().ZHeight, "7");
    EXPECT_EQ(Run(GridTable(1, 1, 1), "type part-name \" P-7 \"\npress ok\n"), platform::kResultOk);
    EXPECT_EQ(Part().PartName, " P-7 ");
    EXPECT_EQ(Part().ZHeight, "100.0");
    EXPECT_EQ(Run(GridTable(1, 1, 1), "type part-name X\npress cancel\n"), platform::kResultCancel);
}

}  // namespace
