// camhost's window on the desktop: the 3D view's projection and picking, and the person's
// selections and picks answering the host's requests.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <cmath>

#include "host/Host.h"
#include "host/desktop/DesktopScreen.h"
#include "tests/desktop/DesktopFixture.h"

namespace {

using ::HostVector3;

class HostScreenTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        Play("", /*onDesktop=*/true);
        host_.ActiveDrawing().Add(host::LineGeometry{{0, 0, 0}, {100, 0, 0}}, 4, 1);
        host_.ActiveDrawing().Add(host::PointGeometry{{50, 40, 10}}, 2, 1);
        interaction_ = screen_.Show(host_);
        screen_.Window()->resize(400, 300);
        screen_.Window()->View().Fit();
    }
    // A click of the left button at `at` in the view.
    void Click(QPointF at) {
        host::DrawingView& view = screen_.Window()->View();
        const QPointF global = view.mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(&view, &press);
        QApplication::sendEvent(&view, &release);
    }
    void Key(int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(screen_.Window(), &press);
    }
    host::Host host_;
    host::DesktopScreen screen_{"camhost - test"};
    std::unique_ptr<host::HostInteraction> interaction_;
};

TEST_F(HostScreenTest, TheTopViewShowsXToTheRightAndYUp) {
    const host::DrawingView& view = screen_.Window()->View();
    const QPointF origin = view.Project({0, 0, 0});
    EXPECT_GT(view.Project({100, 0, 0}).x(), origin.x());
    EXPECT_LT(view.Project({50, 40, 0}).y(), origin.y());
    EXPECT_DOUBLE_EQ(view.Project({0, 0, 0}).x(), view.Project({0, 0, 99}).x());  // looking down
}

TEST_F(HostScreenTest, TheFrontViewShowsZUp) {
    host::DrawingView& view = screen_.Window()->View();
    view.SetAngles(0, 90);
    EXPECT_LT(view.Project({0, 0, 10}).y(), view.Project({0, 0, 0}).y());
    EXPECT_NEAR(view.Project({0, 0, 0}).y(), view.Project({0, 40, 0}).y(), 1e-6);
}

TEST_F(HostScreenTest, ClicksNearAnEntityLandOnItAndEnterEndsTheSelection) {
    const host::DrawingView& view = screen_.Window()->View();
    const QPointF onLine = view.Project({100, 0, 0}) + QPointF(3, 2);
    const QPointF onPoint = view.Project({50, 40, 10});
    QTimer::singleShot(10, [&] {
        Click(onLine);
        Click(onPoint);
        Key(Qt::Key_Return);
    });
    const auto clicks = interaction_->SelectionClicks(/*mode=*/0);
    ASSERT_TRUE(clicks.has_value());
    ASSERT_EQ(clicks->size(), 2u);
    EXPECT_EQ((*clicks)[0], (HostVector3{100, 0, 0}));
    EXPECT_EQ((*clicks)[1], (HostVector3{50, 40, 10}));
}

TEST_F(HostScreenTest, APickAwayFromEntitiesIsAPlaceOnTheViewPlaneAndEscapeCancels) {
    const host::DrawingView& view = screen_.Window()->View();
    const QPointF between = (view.Project({0, 0, 0}) + view.Project({0, 40, 0})) / 2;
    QTimer::singleShot(10, [&] { Click(between); });
    const auto picked = interaction_->PickLocation();
    ASSERT_TRUE(picked.has_value());
    EXPECT_NEAR(picked->x, 0, 1);
    EXPECT_NEAR(picked->y, 20, 1);
    QTimer::singleShot(10, [&] { Key(Qt::Key_Escape); });
    EXPECT_FALSE(interaction_->PickLocation().has_value());
}

TEST_F(HostScreenTest, TheWindowFollowsTheHostWindowsEnabling) {
    // What a modal dialog does to its owner.
    host_.Window().Enable(false);
    EXPECT_FALSE(screen_.Window()->isEnabled());
    host_.Window().Enable(true);
    EXPECT_TRUE(screen_.Window()->isEnabled());
}

}  // namespace
