// The desktop backend played by a person: the loop waits in Qt's event loop, wakes for posted
// messages, runs timers on the real clock and takes clicks on the real widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include "platform/desktop/DialogWindow.h"
#include "platform/dialog/Dialog.h"
#include "platform/dialog/Module.h"
#include "platform/dialog/StandardControls.h"
#include "tests/desktop/DesktopFixture.h"
#include "tests/support/PersonDialogs.h"

namespace {

using namespace tavro::testing;

class DesktopPersonTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        auto backend = std::make_unique<desktop::DesktopBackend>(platform::SessionScript(),
                                                                 /*scripted=*/false);
        backend_ = backend.get();
        platform::SetDialogBackend(std::move(backend));
    }
    platform::ModuleScope scope_{PersonModule()};
    desktop::DesktopBackend* backend_ = nullptr;
};

TEST_F(DesktopPersonTest, APostedMessageWakesTheWaitingLoop) {
    SelfEnding dialog(SelfEnding::How::Posted);
    EXPECT_EQ(dialog.DoModal(), 42);
}

TEST_F(DesktopPersonTest, TimersFireOnTheRealClockNeverEarly) {
    SelfEnding dialog(SelfEnding::How::Timer);
    EXPECT_EQ(dialog.DoModal(), 43);
    EXPECT_GE(dialog.timerFiredAfter, 30);
}

TEST_F(DesktopPersonTest, AClickOnTheDefaultButtonEndsTheDialogWithOk) {
    SelfEnding dialog(SelfEnding::How::Person);
    // The person clicks once the window is up.
    QTimer::singleShot(20, [&] {
        desktop::DialogWindow* window = backend_->WindowOf(dialog.Handle());
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->isVisible());
        auto* ok = qobject_cast<QPushButton*>(window->ViewOf(platform::kIdOk)->Widget());
        ASSERT_TRUE(ok != nullptr && ok->isDefault());
        ok->click();
    });
    EXPECT_EQ(dialog.DoModal(), platform::kResultOk);
    EXPECT_EQ(backend_->TranscriptLines().back(), R"(end "Ask" OK)");
}

TEST_F(DesktopPersonTest, KeysTypedIntoAnEditReachTheControlAndEnterPressesTheDefault) {
    SelfEnding dialog(SelfEnding::How::Person);
    std::string typed;
    QTimer::singleShot(20, [&] {
        desktop::DialogWindow* window = backend_->WindowOf(dialog.Handle());
        ASSERT_NE(window, nullptr);
        QWidget* edit = window->ViewOf(kIdPersonName)->Widget();
        for (const QChar c : QStringLiteral("ab7")) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &key);
        }
        typed = dialog.Item<platform::Edit>(kIdPersonName).Text();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
    });
    EXPECT_EQ(dialog.DoModal(), platform::kResultOk);
    EXPECT_EQ(typed, "ab7");
}

TEST_F(DesktopPersonTest, ACentredWindowSitsInTheMiddleOfTheScreen) {
    SelfEnding dialog(SelfEnding::How::Person);
    ASSERT_TRUE(dialog.Create());
    const platform::PixelSize screen = backend_->ScreenSize();
    desktop::DialogWindow* window = backend_->WindowOf(dialog.Handle());
    ASSERT_NE(window, nullptr);
    EXPECT_NEAR(window->x() + window->width() / 2, screen.width / 2, 1);
    EXPECT_NEAR(window->y() + window->height() / 2, screen.height / 2, 1);
}

}  // namespace
