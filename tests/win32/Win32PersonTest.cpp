// The Win32 backend played by a person: the loop waits in the system's message loop, wakes for
// posted messages, runs timers on the real clock, and takes clicks and keys on the native
// controls through the dialog manager; the grid edits a cell in place.
#include <gtest/gtest.h>

#include <algorithm>

#include "gridwidget/GridCtrl.h"
#include "platform/dialog/StandardControls.h"
#include "platform/dialog/Window.h"
#include "platform/win32/PersonInput.h"
#include "tests/support/PersonDialogs.h"
#include "tests/win32/Win32Fixture.h"

namespace {

using namespace tavro::testing;

// Between a person's steps the loop has taken what the last step posted.
constexpr int kStep = 40;

class Win32PersonTest : public Win32Test {
protected:
    void SetUp() override {
        platform::SetDialogBackend(
            std::make_unique<win32::Win32Backend>(platform::SessionScript(), /*scripted=*/false));
    }
    // The person acts on `dialog` at step `step` (kStep apart), once its window is up.
    static void At(int step, const platform::Dialog& dialog,
                   std::function<void(const win32::NativeDialog&)> act) {
        win32::RunLater(step * kStep, [&dialog, act = std::move(act)] {
            const win32::NativeDialog* window = Native().WindowOf(dialog.Handle());
            ASSERT_NE(window, nullptr);
            act(*window);
        });
    }
    platform::ModuleScope scope_{PersonModule()};
};

TEST_F(Win32PersonTest, APostedMessageWakesTheWaitingLoop) {
    SelfEnding dialog(SelfEnding::How::Posted);
    EXPECT_EQ(dialog.DoModal(), 42);
}

TEST_F(Win32PersonTest, TimersFireOnTheRealClockNeverEarly) {
    SelfEnding dialog(SelfEnding::How::Timer);
    EXPECT_EQ(dialog.DoModal(), 43);
    EXPECT_GE(dialog.timerFiredAfter, 30);
}

TEST_F(Win32PersonTest, AClickOnTheDefaultButtonEndsTheDialogWithOk) {
    SelfEnding dialog(SelfEnding::How::Person);
    At(1, dialog, [](const auto& window) { EXPECT_TRUE(win32::Click(window, platform::kIdOk)); });
    EXPECT_EQ(dialog.DoModal(), platform::kResultOk);
    EXPECT_EQ(Native().TranscriptLines().back(), R"(end "Ask" OK)");
}

TEST_F(Win32PersonTest, KeysTypedIntoAnEditReachTheControlAndEnterPressesTheDefault) {
    SelfEnding dialog(SelfEnding::How::Person);
    std::string typed;
    At(1, dialog, [](const auto& window) { win32::Click(window, kIdPersonName); });
    At(2, dialog, [](const auto&) { win32::TypeText("ab7"); });
    At(3, dialog, [&](const auto&) {
        typed = dialog.Item<platform::Edit>(kIdPersonName).Text();
        win32::PressKey(win32::Key::Enter);
    });
    EXPECT_EQ(dialog.DoModal(), platform::kResultOk);
    EXPECT_EQ(typed, "ab7");
}

// The dialog manager makes Escape a click on Cancel; the framework keeps the two apart.
TEST_F(Win32PersonTest, EscapeIsACancelFromTheKeyboardNotAPressOfCancel) {
    SelfEnding escaped(SelfEnding::How::Person);
    At(1, escaped, [](const auto& window) { win32::Click(window, kIdPersonName); });
    At(2, escaped, [](const auto&) { win32::PressKey(win32::Key::Escape); });
    EXPECT_EQ(escaped.DoModal(), kEscapedResult);
    SelfEnding cancelled(SelfEnding::How::Person);
    At(1, cancelled, [](const auto& window) { win32::Click(window, platform::kIdCancel); });
    EXPECT_EQ(cancelled.DoModal(), platform::kResultCancel);
}

TEST_F(Win32PersonTest, TheHostWindowAndAnOuterDialogTakeNoInputWhileAModalDialogRuns) {
    platform::HostMainWindow host;
    SelfEnding outer(SelfEnding::How::Person);
    SelfEnding inner(SelfEnding::How::Person);
    bool hostDuring = true;
    bool outerDuring = true;
    bool outerAfter = false;
    At(1, outer, [&](const auto& window) {
        EXPECT_EQ(inner.DoModal(), platform::kResultOk);  // its loop runs inside the outer's
        outerAfter = window.IsEnabled();
        win32::Click(window, platform::kIdOk);
    });
    win32::RunLater(3 * kStep, [&] {
        hostDuring = Native().HostWindowEnabled();
        outerDuring = Native().WindowOf(outer.Handle())->IsEnabled();
        win32::Click(*Native().WindowOf(inner.Handle()), platform::kIdOk);
    });
    EXPECT_EQ(outer.DoModal(), platform::kResultOk);
    EXPECT_FALSE(hostDuring);
    EXPECT_FALSE(outerDuring);
    EXPECT_TRUE(outerAfter);
    EXPECT_TRUE(Native().HostWindowEnabled());
}

class Win32GridPersonTest : public Win32PersonTest {
protected:
    platform::ModuleScope gridScope_{GridForm::Module()};
};

// A double click opens the editor over the cell; Enter ends the edit with the typed text,
// Escape drops it.
TEST_F(Win32GridPersonTest, ACellEditedInPlaceTakesTheTextWhenEnterEndsTheEdit) {
    GridForm form;
    std::string afterEscape;
    std::string editorText;
    At(1, form,
       [](const auto& window) { win32::ClickCell(window, kIdGrid, 2, 2, /*twice=*/true); });
    At(2, form, [](const auto&) { win32::TypeText("42.5"); });
    At(3, form, [&](const auto& window) {
        editorText = Probe(form, kIdGrid).text;
        win32::PressKey(win32::Key::Enter);
        win32::ClickCell(window, kIdGrid, 1, 1, /*twice=*/true);
    });
    At(4, form, [](const auto&) { win32::TypeText("x"); });
    At(5, form, [](const auto&) { win32::PressKey(win32::Key::Escape); });
    At(6, form, [&](const auto& window) {
        afterEscape = form.Item<gridwidget::GridCtrl>(kIdGrid).ItemText(1, 1);
        EXPECT_EQ(form.Item<gridwidget::GridCtrl>(kIdGrid).ItemText(2, 2), "42.5");
        win32::Click(window, platform::kIdOk);
    });
    EXPECT_EQ(form.DoModal(), platform::kResultOk);
    EXPECT_EQ(editorText, "42.5");
    EXPECT_EQ(afterEscape, "1.5");
    const Lines& lines = Native().TranscriptLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), R"(text "Grid" note "edited 2 2 42.5")"),
              lines.end());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), R"(text "Grid" note "edited 1 1 x")"),
              lines.end());
}

TEST_F(Win32GridPersonTest, AClickOnAHeaderCellIsNoChoice) {
    GridForm form;
    At(1, form,
       [](const auto& window) { win32::ClickCell(window, kIdGrid, 0, 1, /*twice=*/false); });
    At(2, form, [&](const auto& window) {
        EXPECT_EQ(form.Item<platform::StaticText>(kIdNote).Text(), "");
        win32::Click(window, platform::kIdOk);
    });
    EXPECT_EQ(form.DoModal(), platform::kResultOk);
}

}  // namespace
