// The height review against the stand-in host: its face, what it shows, what it stores, the
// marks of "Add Extension", and tables whose post numbers were mistyped.
#include "dialogs/DlgModifyValues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "core/TableDefinition.h"
#include "dialogs/AddinModule.h"
#include "gridwidget/GridCtrl.h"
#include "host/ScriptedInteraction.h"
#include "platform/MessageService.h"
#include "platform/dialog/ListControls.h"
#include "tests/hostlink/ControllerFixture.h"

namespace {

using gridwidget::CellId;
using platform::ControlKind;
using Lines = std::vector<std::string>;

constexpr const char* kCaption = "Edit the calculated TAVRO heigh values.";

// A cell of the grid and its text.
struct Probe {
    int row;
    int column;
    std::string text;
};

// What the review showed when it opened and when it was about to close.
struct Seen {
    Lines sections;  // the first three entries and the last
    Lines cells;     // the first rows, texts of the first columns joined by "|"
    CellId focus;
    std::size_t storedCells = 0;
    std::vector<std::string> probed;
};

class ObservedReview : public CDlgModifyValues {
public:
    std::vector<Probe> probes;  // cells read besides the first rows and columns
    std::vector<Seen> seen;

protected:
    bool OnInitDialog() override {
        const bool done = CDlgModifyValues::OnInitDialog();
        Record();
        return done;
    }
    void OnOK() override {
        Record();
        CDlgModifyValues::OnOK();
    }
    void OnCancel() override {
        Record();
        CDlgModifyValues::OnCancel();
    }

private:
    void Record() {
        const gridwidget::GridCtrl& grid = Grid();
        const platform::EntryList& entries = SectionList().Entries();
        Seen now;
        for (int i = 0; i < std::min(entries.Count(), 3); ++i)
            now.sections.push_back(entries.Text(i));
        if (entries.Count() > 3) now.sections.push_back(entries.Text(entries.Count() - 1));
        for (int r = 0; r < std::min(grid.RowCount(), 5); ++r) {
            std::string line;
            for (int c = 0; c < std::min(grid.ColumnCount(), 6); ++c)
                line += (c ? "|" : "") + grid.ItemText(r, c);
            now.cells.push_back(line);
        }
        now.focus = grid.FocusCell();
        now.storedCells = grid.StoredCellCount();
        for (const Probe& probe : probes)
            now.probed.push_back(grid.ItemText(probe.row, probe.column));
        seen.push_back(now);
    }
};

// Answers the host's location request from the session script, first noting the marks on the
// scratch layer and who has the screen at that moment.
class PickWatcher : public host::HostInteraction {
public:
    PickWatcher(host::Host& host, const platform::Window& review) : host_(host), review_(review) {}

    std::optional<std::vector<HostVector3>> SelectionClicks(int mode) override {
        return script_.SelectionClicks(mode);
    }
    std::optional<HostVector3> PickLocation() override {
        ++picks;
        host_.ActiveDrawing().ForEach([&](const host::Entity& e) {
            if (e.layer == 250) marks.push_back(e);
        });
        hostAtPick = host_.WindowState();
        reviewVisibleAtPick = review_.IsVisible();
        return script_.PickLocation();
    }

    int picks = 0;
    std::vector<host::Entity> marks;
    host::MainWindowState hostAtPick;
    bool reviewVisibleAtPick = true;

private:
    host::Host& host_;
    const platform::Window& review_;
    host::ScriptedInteraction script_;
};

class DlgModifyValuesTest : public ControllerTest {
protected:
    PostLocation& AddPost(int section, int row, int column, double height) {
        PostLocation post;
        post.Section = section;
        post.Row = row;
        post.Column = column;
        post.Hit0.point.z = height;
        return *table_.Append(post);
    }
    // Runs the review of table_ on the bound controller with `script` as the user.
    int Review(std::string_view script) {
        host::testing::PlaySessionScript(script);
        Bind();
        review_.Table = &table_;
        review_.Controller = &ctrl_;
        const int result = review_.DoModal();
        EXPECT_FALSE(platform::CurrentHeadlessBackend()->ScriptFailed())
            << ::testing::PrintToString(Transcript());
        return result;
    }
    std::vector<double> Heights() {
        std::vector<double> heights;
        for (std::size_t i = 0; i < table_.PostCount(); ++i)
            heights.push_back(table_.PostAt(i).Height());
        return heights;
    }
    // The transcript from the review's opening on (binding the controller comes before).
    Lines ReviewTranscript() {
        Lines lines = Transcript();
        const auto first = std::find(lines.begin(), lines.end(), "disable host");
        return Lines(first, lines.end());
    }
    PickWatcher& WatchPicks() {
        return host_.SetInteraction(std::make_unique<PickWatcher>(host_, review_));
    }

    platform::ModuleScope addin_{dialogs::AddinModule()};
    TableDefinition table_;
    ObservedReview review_;
};

TEST_F(DlgModifyValuesTest, FaceHasItsCaptionSizeFontAndControls) {
    const platform::DialogTemplate face = CDlgModifyValues::Template();
    EXPECT_EQ(face.id, 7004);
    EXPECT_EQ(face.caption, kCaption);
    EXPECT_EQ(face.width, 422);
    EXPECT_EQ(face.height, 274);
    EXPECT_EQ(face.font, (platform::DialogFont{"MS Shell Dlg", 8}));
    EXPECT_TRUE(face.style.centred);
    EXPECT_TRUE(face.style.systemMenu);
    struct Expected {
        const char* name;
        int id;
        ControlKind kind;
        const char* caption;
    } expected[] = {
        {"sections", 1000, ControlKind::ListBox, ""},
        {"heights", 1001, ControlKind::Custom, ""},
        {"add-extension", 1002, ControlKind::PushButton, "Add Extension"},
        {"cancel", 2, ControlKind::PushButton, "Cancel"},
        {"ok", 1, ControlKind::PushButton, "OK"},
    };
    ASSERT_EQ(face.controls.size(), std::size(expected));
    for (std::size_t i = 0; i < face.controls.size(); ++i) {
        const platform::ControlTemplate& control = face.controls[i];
        EXPECT_EQ(control.name, expected[i].name);
        EXPECT_EQ(control.id, expected[i].id) << control.name;
        EXPECT_EQ(control.kind, expected[i].kind) << control.name;
        EXPECT_EQ(control.caption, expected[i].caption) << control.name;
        EXPECT_EQ(control.defaultButton, control.name == "ok") << control.name;
        EXPECT_FALSE(control.disabled || control.hidden) << control.name;
        const platform::DialogRect& r = control.place;
        EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.width <= face.width &&
                    r.y + r.height <= face.height)
            << control.name << " lies outside the client area";
        for (std::size_t j = 0; j < i; ++j) {
            const platform::DialogRect& o = face.controls[j].place;
            const bool apart = r.x >= o.x + o.width || o.x >= r.x + r.width ||
                               r.y >= o.y + o.height || o.y >= r.y + r.height;
            EXPECT_TRUE(apart) << control.name << " overlaps " << face.controls[j].name;
        }
    }
    const platform::ControlTemplate& list = face.controls[0];
    const platform::ControlTemplate& grid = face.controls[1];
    EXPECT_TRUE(list.verticalScroll);
    EXPECT_NEAR(list.place.x + list.place.width / 2.0, face.width / 2.0, 1.0);  // top centre
    EXPECT_EQ(grid.className, "MFCGridCtrl");
    EXPECT_GE(grid.place.y, list.place.y + list.place.height);
    EXPECT_GE(grid.place.width, face.width - 20);
    for (std::size_t i = 2; i < face.controls.size(); ++i)
        EXPECT_GE(face.controls[i].place.y, grid.place.y + grid.place.height);
    EXPECT_GT(face.controls[4].place.x, face.controls[3].place.x);  // OK at the right
}

// Three sections of 4 x 5 posts; section 1 lacks the post in row 2, column 3.
TEST_F(DlgModifyValuesTest, ShowsTheFirstSectionWithNumberedHeadersAndSwitchesThroughTheList) {
    for (int section = 1; section <= 3; ++section)
        for (int row = 1; row <= 4; ++row)
            for (int column = 1; column <= 5; ++column)
                if (!(section == 1 && row == 2 && column == 3))
                    AddPost(section, row, column, section * 100 + row * 10 + column + 0.25);
    const std::size_t posts = table_.PostCount();
    EXPECT_EQ(Review("edit-cell heights 2 3 9\nselect sections 2\nselect sections 0\n"
                     "press cancel\n"),
              platform::kResultCancel);
    ASSERT_EQ(review_.seen.size(), 2u);
    const Seen& opened = review_.seen[0];
    EXPECT_EQ(opened.sections, (Lines{"Section 1", "Section 2", "Section 3"}));
    EXPECT_EQ(review_.GridRows, 5);
    EXPECT_EQ(review_.GridColumns, 6);
    EXPECT_EQ(opened.cells, (Lines{"|1|2|3|4|5", "1| 111.250| 112.250| 113.250| 114.250| 115.250",
                                   "2| 121.250| 122.250|| 124.250| 125.250",
                                   "3| 131.250| 132.250| 133.250| 134.250| 135.250",
                                   "4| 141.250| 142.250| 143.250| 144.250| 145.250"}));
    EXPECT_EQ(opened.focus, (CellId{1, 1}));
    // Back on section 1 after section 3: the text typed where no post stands is gone.
    const Seen& closing = review_.seen[1];
    EXPECT_EQ(closing.cells[2], "2| 121.250| 122.250|| 124.250| 125.250");
    EXPECT_EQ(review_.CurrentSection, 1);
    EXPECT_EQ(table_.PostCount(), posts);
    EXPECT_EQ(table_.Find(2, 3, 1), nullptr);
    const std::string grid = std::string("redraw \"") + kCaption + "\" heights";
    EXPECT_EQ(ReviewTranscript(),
              (Lines{"disable host", grid, std::string("show \"") + kCaption + "\"", grid, grid,
                     std::string("end \"") + kCaption + "\" Cancel", "enable host"}));
}

// Posts in list order: 0 to 2 in section 1 (2 in the last row and column), 3 in section 2, and
// 4 a second post numbered like 0.
struct StoreCase {
    const char* name;
    const char* script;
    std::vector<double> heights;
    friend void PrintTo(const StoreCase& c, std::ostream* os) { *os << c.name; }
};

const std::vector<double> kComputed{1.23456, 2.5, 7.77777, 4.44444, 9.99999};

const StoreCase kStoreCases[] = {
    {"OkRoundsTheSectionOnDisplayOnly", "press ok\n", {1.235, 2.5, 7.778, 4.44444, 9.99999}},
    {"CancelDiscardsTheEdit", "edit-cell heights 1 1 5\npress cancel\n", kComputed},
    {"SystemMenuDiscardsTheEdit", "edit-cell heights 1 1 5\nclose\n", kComputed},
    {"OkKeepsTheEdit",
     "edit-cell heights 1 1 \" -5.5e1mm\"\npress ok\n",
     {-55, 2.5, 7.778, 4.44444, 9.99999}},
    {"ClearedCellGivesZero",
     "edit-cell heights 1 2 \"\"\npress ok\n",
     {1.235, 0, 7.778, 4.44444, 9.99999}},
    // What the user typed is stored as typed; only shown heights are rounded.
    {"LastRowAndColumn",
     "edit-cell heights 2 3 12.3456\npress ok\n",
     {1.235, 2.5, 12.3456, 4.44444, 9.99999}},
    {"TextWhereNoPostStandsIsIgnored",
     "edit-cell heights 2 1 8\npress ok\n",
     {1.235, 2.5, 7.778, 4.44444, 9.99999}},
    {"SectionLeftThroughTheListKeepsItsEdits",
     "edit-cell heights 1 1 5\nselect sections 1\nedit-cell heights 1 1 6\npress cancel\n",
     {5, 2.5, 7.778, 4.44444, 9.99999}},
    {"LeavingAndComingBackStoresBoth",
     "select sections 1\nselect sections 0\nclose\n",
     {1.235, 2.5, 7.778, 4.444, 9.99999}},
    {"ChoosingTheSectionOnDisplayChangesNothing",
     "edit-cell heights 1 1 5\nchoose sections \"Section 1\"\npress cancel\n", kComputed},
};

class StoreTest : public DlgModifyValuesTest, public ::testing::WithParamInterface<StoreCase> {};

TEST_P(StoreTest, KeepsWhatTheUserKeepsAndNothingElse) {
    for (int i = 0; i < 3; ++i) AddPost(1, i == 2 ? 2 : 1, i + 1, kComputed[i]);
    AddPost(2, 1, 1, kComputed[3]);
    AddPost(1, 1, 1, kComputed[4]);
    Review(GetParam().script);
    const std::vector<double> heights = Heights();
    ASSERT_EQ(heights.size(), GetParam().heights.size());
    for (std::size_t i = 0; i < heights.size(); ++i)
        EXPECT_DOUBLE_EQ(heights[i], GetParam().heights[i]) << "post " << i;
}

INSTANTIATE_TEST_SUITE_P(Cases, StoreTest, ::testing::ValuesIn(kStoreCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DlgModifyValuesTest, AddExtensionMarksThePostWhileTheLocationIsPicked) {
    AddPost(1, 1, 1, 5.0);
    PostLocation& post = AddPost(1, 2, 3, 7.5);
    post.Hit0.point.x = 100;
    post.Hit0.point.y = 200;
    PickWatcher& watcher = WatchPicks();
    Review("focus-cell heights 2 3\npress add-extension\npick-location 4 5.25 -6\npress ok\n");
    ASSERT_EQ(watcher.picks, 1);
    ASSERT_EQ(watcher.marks.size(), 50u);
    const HostVector3 p{100, 200, 7.5};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto* circle = std::get_if<host::ArcGeometry>(&watcher.marks[i].geometry);
        ASSERT_NE(circle, nullptr);
        EXPECT_EQ(*circle, (host::ArcGeometry{
                               p, {0, 0, 1}, {1, 0, 0}, 6.283185307179586, i == 0 ? 3.0 : 1.5}));
    }
    for (std::size_t i = 2; i < watcher.marks.size(); ++i) {
        const auto* point = std::get_if<host::PointGeometry>(&watcher.marks[i].geometry);
        ASSERT_NE(point, nullptr);
        const double radius = i % 2 == 0 ? 1.5 : 3.0;  // inner then outer at each angle
        const double degrees = 15.0 * ((i - 2) / 2);
        EXPECT_NEAR(point->at.x, p.x + radius * std::sin(degrees * std::numbers::pi / 180), 1e-12)
            << i;
        EXPECT_NEAR(point->at.y, p.y + radius * std::cos(degrees * std::numbers::pi / 180), 1e-12)
            << i;
        EXPECT_EQ(point->at.z, p.z);
    }
    for (const host::Entity& mark : watcher.marks) EXPECT_EQ(mark.color, 14);
    EXPECT_EQ(host_.ActiveDrawing().Layers().at(250).name, "Temp for Extension");
    EXPECT_TRUE(watcher.hostAtPick.enabled);
    EXPECT_TRUE(watcher.hostAtPick.focused);
    EXPECT_FALSE(watcher.reviewVisibleAtPick);
    // Afterwards the scratch layer is empty and the data unchanged but for OK's rounding.
    std::size_t left = 0;
    host_.ActiveDrawing().ForEach([&](const host::Entity& e) { left += e.layer == 250; });
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(Heights(), (std::vector<double>{5.0, 7.5}));
    const std::string dialog = std::string("\"") + kCaption + "\"";
    const Lines transcript = ReviewTranscript();
    const Lines expectedTail{
        "hide " + dialog,       "enable host",
        "focus host",           "message \"Point 4.000000, 5.250000, -6.000000\"",
        "show " + dialog,       "focus " + dialog,
        "end " + dialog + " OK"};
    ASSERT_GE(transcript.size(), expectedTail.size());
    EXPECT_EQ(Lines(transcript.end() - expectedTail.size(), transcript.end()), expectedTail);
}

struct NoMarkCase {
    const char* name;
    std::vector<std::array<int, 3>> posts;  // section, row, column
    const char* script;
    const char* message;
    friend void PrintTo(const NoMarkCase& c, std::ostream* os) { *os << c.name; }
};

const NoMarkCase kNoMarkCases[] = {
    {"EmptyCell",
     {{1, 1, 1}, {1, 2, 2}, {2, 2, 1}},
     "focus-cell heights 2 1\npress add-extension\npick-location 1 2 3\npress ok\n",
     "Point 1.000000, 2.000000, 3.000000"},
    // The grid has no rows, so no focus cell; the post's numbers match the "none" cell.
    {"NoFocusCell",
     {{1, -1, -1}},
     "press add-extension\npick-location cancel\npress ok\n",
     "Point 0.000000, 0.000000, 0.000000"},
};

class NoMarkTest : public DlgModifyValuesTest, public ::testing::WithParamInterface<NoMarkCase> {};

TEST_P(NoMarkTest, AddExtensionAsksForTheLocationAllTheSame) {
    for (const auto& [section, row, column] : GetParam().posts) AddPost(section, row, column, 2.0);
    PickWatcher& watcher = WatchPicks();
    Review(GetParam().script);
    EXPECT_EQ(watcher.picks, 1);
    EXPECT_TRUE(watcher.marks.empty());
    EXPECT_EQ(platform::ShownMessages(), (Lines{GetParam().message}));
}

INSTANTIATE_TEST_SUITE_P(Cases, NoMarkTest, ::testing::ValuesIn(kNoMarkCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Mistyped post numbers: neither memory nor time may grow with them.
struct TypoCase {
    const char* name;
    int section, row, column;
    const char* script;
    int rows, columns;
    Lines sections;  // the first three entries and the last
    Probe header;
    double height;  // of the mistyped post afterwards
    friend void PrintTo(const TypoCase& c, std::ostream* os) { *os << c.name; }
};

constexpr int kBillions = 2'000'000'000;

const TypoCase kTypoCases[] = {
    {"Row2000000000",
     1,
     kBillions,
     1,
     "edit-cell heights 2000000000 1 5\npress ok\n",
     kBillions + 1,
     3,
     {"Section 1"},
     {kBillions, 0, "2000000000"},
     5},
    {"Column2000000000",
     1,
     1,
     kBillions,
     "edit-cell heights 1 2000000000 5\npress ok\n",
     3,
     kBillions + 1,
     {"Section 1"},
     {0, kBillions, "2000000000"},
     5},
    {"Row1000000",
     1,
     1'000'000,
     2,
     "edit-cell heights 1000000 2 5\npress ok\n",
     1'000'001,
     3,
     {"Section 1"},
     {999'999, 0, "999999"},
     5},
    {"Section2000000000",
     kBillions,
     1,
     1,
     "select sections 1\nedit-cell heights 1 1 5\npress ok\n",
     3,
     3,
     {"Section 1", "Section 2000000000"},
     {0, 2, "2"},
     5},
    // Up to a thousand sections every number is listed; beyond, only those that posts use.
    {"Section1000ListsEveryNumber",
     1000,
     1,
     1,
     "press ok\n",
     3,
     3,
     {"Section 1", "Section 2", "Section 3", "Section 1000"},
     {0, 2, "2"},
     3.14159},
    // The grid counts rows in int: the largest row number has no cell and keeps its height.
    {"RowIntMaxBeyondTheGrid",
     1,
     INT_MAX,
     1,
     "press ok\n",
     INT_MAX,
     3,
     {"Section 1"},
     {INT_MAX - 1, 0, "2147483646"},
     3.14159},
};

class TypoTest : public DlgModifyValuesTest, public ::testing::WithParamInterface<TypoCase> {};

TEST_P(TypoTest, CostsNothingPerEmptyCell) {
    const TypoCase& c = GetParam();
    AddPost(1, 1, 1, 1.0);
    AddPost(1, 2, 2, 2.0);
    const PostLocation& typo = AddPost(c.section, c.row, c.column, 3.14159);
    review_.probes = {c.header};
    EXPECT_EQ(Review(c.script), platform::kResultOk);
    ASSERT_EQ(review_.seen.size(), 2u);
    const Seen& closing = review_.seen[1];
    EXPECT_EQ(review_.GridRows, c.rows);
    EXPECT_EQ(review_.GridColumns, c.columns);
    EXPECT_EQ(closing.sections, c.sections);
    EXPECT_EQ(closing.probed, Lines{c.header.text});
    EXPECT_LE(closing.storedCells, 3u);
    EXPECT_DOUBLE_EQ(typo.Height(), c.height);
    EXPECT_DOUBLE_EQ(table_.PostAt(0).Height(), 1.0);
}

INSTANTIATE_TEST_SUITE_P(Cases, TypoTest, ::testing::ValuesIn(kTypoCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
