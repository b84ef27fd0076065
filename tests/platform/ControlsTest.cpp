// The standard control kinds on their own: entries and selection, drop-down text, progress
// ranges, list view columns.
#include <gtest/gtest.h>

#include "platform/dialog/ControlClasses.h"
#include "platform/dialog/ListControls.h"
#include "platform/dialog/StandardControls.h"

namespace {

using platform::ControlKind;
using platform::MakeControl;

TEST(ControlsTest, InsertingBeforeTheSelectionKeepsTheSameEntrySelected) {
    platform::EntryList list;
    EXPECT_EQ(list.Insert(-1, "b"), 0);
    EXPECT_EQ(list.Insert(-1, "c"), 1);
    ASSERT_TRUE(list.Select(1));
    EXPECT_EQ(list.Insert(0, "a"), 0);
    EXPECT_EQ(list.Selection(), 2);
    EXPECT_EQ(list.Text(list.Selection()), "c");
    EXPECT_EQ(list.Insert(5, "beyond"), -1);  // past the end: refused, as the system does
    EXPECT_EQ(list.Insert(-2, "bad"), -1);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_FALSE(list.Select(3));
    EXPECT_EQ(list.Selection(), 2);
    EXPECT_TRUE(list.Select(-1));
    EXPECT_EQ(list.Text(-1), "");
    EXPECT_EQ(list.FindExact("b"), 1);
    EXPECT_EQ(list.FindExact("B"), -1);
}

TEST(ControlsTest, SelectByIndexAndChooseByExactText) {
    platform::ListBox box(MakeControl(ControlKind::ListBox, 5, "sections", {}, {}));
    for (const char* entry : {"Section 1", "Section 2", "Section 10"})
        box.Entries().Insert(-1, entry);
    struct Case {
        const char* verb;
        const char* argument;
        int selection;  // -1: the action fails
    } cases[] = {
        {"select", "2", 2},        {"select", "0", 0},  {"select", "3", -1},
        {"select", "-1", -1},      {"select", "x", -1}, {"choose", "Section 10", 2},
        {"choose", "Section", -1},
    };
    for (const Case& c : cases) {
        box.Entries().Select(1);
        const platform::ActionOutcome outcome = box.Perform({c.verb, {c.argument}});
        EXPECT_EQ(!outcome, c.selection < 0) << c.verb << " " << c.argument;
        EXPECT_EQ(box.Entries().Selection(), c.selection < 0 ? 1 : c.selection)
            << c.verb << " " << c.argument;
    }
}

TEST(ControlsTest, DropDownListHasNoEditText) {
    platform::ComboBox list(MakeControl(ControlKind::DropDownList, 1, "a", "ignored", {}));
    platform::ComboBox withEdit(MakeControl(ControlKind::DropDown, 2, "pin", "start", {}));
    EXPECT_EQ(list.Text(), "");
    EXPECT_EQ(withEdit.Text(), "start");
    for (platform::ComboBox* box : {&list, &withEdit})
        for (const char* entry : {"1", "2"}) box->Insert(-1, entry);
    EXPECT_EQ(withEdit.SelectedText(), "");
    ASSERT_TRUE(withEdit.Select(1));
    EXPECT_EQ(withEdit.Text(), "2");
    EXPECT_TRUE(withEdit.Perform({"type", {"7"}}));
    EXPECT_EQ(withEdit.Text(), "7");
    EXPECT_EQ(withEdit.SelectedText(), "2");  // typing leaves the selection alone
}

TEST(ControlsTest, ProgressPositionStaysInsideItsRange) {
    platform::ProgressBar bar(MakeControl(ControlKind::ProgressBar, 1, "bar", {}, {}));
    struct Case {
        int lower, upper, set, expected;
    } cases[] = {
        {0, 100, 50, 50}, {0, 100, -5, 0}, {0, 100, 101, 100}, {10, 20, 5, 10}, {20, 10, 15, 20},
    };
    for (const Case& c : cases) {
        bar.SetRange(c.lower, c.upper);
        bar.SetPosition(c.set);
        EXPECT_EQ(bar.Position(), c.expected) << c.lower << ".." << c.upper << " set " << c.set;
    }
}

TEST(ControlsTest, ListViewColumnsAndItems) {
    platform::ListView view(MakeControl(ControlKind::ListView, 1, "parts", {}, {}));
    EXPECT_EQ(view.InsertColumn(0, {"Part Name", 80, platform::ColumnAlignment::Left}), 0);
    EXPECT_EQ(view.InsertColumn(9, {"Second", 40, platform::ColumnAlignment::Right}), 1);
    ASSERT_EQ(view.Columns().size(), 2u);
    EXPECT_EQ(view.Columns()[0].heading, "Part Name");
    EXPECT_EQ(view.Columns()[0].width, 80);
    EXPECT_EQ(view.Items().Insert(0, ""), 0);  // an empty part name is a row all the same
    EXPECT_EQ(view.Items().Count(), 1);
}

TEST(ControlsTest, FactoryMakesEveryStandardKind) {
    for (const ControlKind kind :
         {ControlKind::PushButton, ControlKind::CheckBox, ControlKind::Edit,
          ControlKind::StaticText, ControlKind::GroupBox, ControlKind::Bitmap,
          ControlKind::ListView, ControlKind::ListBox, ControlKind::DropDownList,
          ControlKind::DropDown, ControlKind::ProgressBar}) {
        const platform::Expected<std::unique_ptr<platform::Control>> created =
            platform::CreateControl(MakeControl(kind, 3, "c", "caption", {1, 2, 3, 4}));
        ASSERT_TRUE(created) << created.Describe();
        EXPECT_EQ((*created)->Kind(), kind);
        EXPECT_EQ((*created)->Place(), (platform::DialogRect{1, 2, 3, 4}));
    }
}

}  // namespace
