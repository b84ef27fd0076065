// camhost's main window as a person works in it: shaded surfaces, panning and zooming, the layer
// panel, the File and Add-ins menus and the status line.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "host/Host.h"
#include "host/desktop/DesktopScreen.h"
#include "platform/MessageService.h"
#include "tests/desktop/DesktopFixture.h"

namespace {

namespace fs = std::filesystem;
constexpr int kSkinLayer = 5;
constexpr int kSkinColour = 12;

class CamHostWindowTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        backend_ = &Play("", /*onDesktop=*/true);
        platform::ClearMessages();
        folder_ = fs::temp_directory_path() / ("camhost-window-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        host::Drawing& drawing = host_.ActiveDrawing();
        drawing.SetLayer(kSkinLayer, {"Skin", true});
        drawing.Add(host::SurfaceGeometry{2,
                                          2,
                                          kHostSurfacePointGrid,
                                          0,
                                          {{0, 0, 0}, {100, 0, 0}, {0, 100, 0}, {100, 100, 0}}},
                    kSkinColour, kSkinLayer);
        drawing.Add(host::LineGeometry{{0, 0, 0}, {100, 100, 0}}, 4, 1);
        screen_ = std::make_unique<host::DesktopScreen>("camhost - test", folder_.string());
        interaction_ = screen_->Show(host_);
        Window().resize(600, 400);
        Window().View().Fit();
    }
    void TearDown() override { fs::remove_all(folder_); }
    host::CamHostWindow& Window() { return *screen_->Window(); }
    QColor PixelAt(const HostVector3& point) {
        host::DrawingView& view = Window().View();
        return view.grab().toImage().pixelColor(view.Project(point).toPoint());
    }
    void Drag(Qt::MouseButton button, QPointF from, QPointF to) {
        host::DrawingView& view = Window().View();
        for (auto [type, at, buttons] :
             {std::tuple{QEvent::MouseButtonPress, from, Qt::MouseButtons(button)},
              std::tuple{QEvent::MouseMove, to, Qt::MouseButtons(button)},
              std::tuple{QEvent::MouseButtonRelease, to, Qt::MouseButtons()}}) {
            QMouseEvent event(type, at, view.mapToGlobal(at), button, buttons, Qt::NoModifier);
            QApplication::sendEvent(&view, &event);
        }
    }

    platform::HeadlessBackend* backend_ = nullptr;
    fs::path folder_;
    host::Host host_;
    std::unique_ptr<host::DesktopScreen> screen_;
    std::unique_ptr<host::HostInteraction> interaction_;
};

TEST_F(CamHostWindowTest, ASurfaceIsFilledOnlyWhileItsLayerIsTickedInThePanel) {
    const HostVector3 inside{30, 70, 0};  // off the line drawn over the surface
    const QColor background = Window().View().grab().toImage().pixelColor(2, 2);
    EXPECT_NE(PixelAt(inside), background);
    host::LayerPanel& layers = Window().Layers();
    QListWidgetItem* skin = nullptr;
    for (int row = 0; row < layers.count(); ++row)
        if (layers.item(row)->data(Qt::UserRole).toInt() == kSkinLayer) skin = layers.item(row);
    ASSERT_NE(skin, nullptr);
    skin->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(host_.ActiveDrawing().Layers().at(kSkinLayer).visible);
    EXPECT_EQ(PixelAt(inside), background);
}

TEST_F(CamHostWindowTest, DraggingWithTheRightButtonPansTheView) {
    const QPointF before = Window().View().Project({50, 50, 0});
    Drag(Qt::RightButton, {100, 100}, {130, 80});
    const QPointF after = Window().View().Project({50, 50, 0});
    EXPECT_NEAR(after.x() - before.x(), 30, 1e-6);
    EXPECT_NEAR(after.y() - before.y(), -20, 1e-6);
}

TEST_F(CamHostWindowTest, TheWheelZoomsAboutTheMouse) {
    host::DrawingView& view = Window().View();
    const QPointF under = view.Project({100, 100, 0});
    QWheelEvent wheel(under, view.mapToGlobal(under), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
    EXPECT_NEAR(view.Project({100, 100, 0}).x(), under.x(), 1e-6);
    EXPECT_GT(view.Project({100, 100, 0}).x() - view.Project({0, 0, 0}).x(), 0);
}

TEST_F(CamHostWindowTest, TheFileCommandsSaveAndOpenThroughTheHost) {
    const QString saved = QString::fromStdString((folder_ / "job.scprt").string());
    ASSERT_TRUE(Window().SaveDrawingFile(saved));
    host_.ActiveDrawing().Add(host::PointGeometry{{1, 2, 3}}, 2, 1);
    ASSERT_TRUE(Window().OpenDrawingFile(saved));
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 2u);
    EXPECT_TRUE(Window().windowTitle().endsWith("job.scprt"));
    // A file that is no drawing is refused with the host's message.
    std::ofstream(folder_ / "bad.scprt") << "not a drawing\n";
    EXPECT_FALSE(
        Window().OpenDrawingFile(QString::fromStdString((folder_ / "bad.scprt").string())));
    ASSERT_FALSE(platform::ShownMessages().empty());
    EXPECT_TRUE(platform::ShownMessages().back().starts_with("Cannot open the drawing"));
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 2u);
}

TEST_F(CamHostWindowTest, TheAddinsMenuListsSurfcamIniAndRunsTheChosenCommand) {
    std::ofstream(folder_ / "surfcam.ini")
        << "[SystemOptional]\nUserApplications=2\nUserApp1=" << TEST_ADDIN_MODULE
        << ",Count surfaces\n"
        << "UserApp2=no comma\n";
    QMenu& menu = Window().AddinsMenu();
    emit menu.aboutToShow();
    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), "Count surfaces");
    EXPECT_FALSE(actions[1]->isEnabled());  // the faulty entry
    actions[0]->trigger();
    // The test add-in's command: a message with the selected surfaces, then a point.
    ASSERT_FALSE(platform::ShownMessages().empty());
    EXPECT_EQ(platform::ShownMessages().front(), "test add-in: 0 surfaces selected");
    EXPECT_EQ(host_.ActiveDrawing().EntityCount(), 3u);
    const std::vector<std::string> transcript = backend_->TranscriptLines();
    EXPECT_NE(std::find(transcript.begin(), transcript.end(), "run 1 \"Count surfaces\""),
              transcript.end());
}

TEST_F(CamHostWindowTest, TheStatusLineCountsTheSelectionAndShowsTheLastMessage) {
    host_.ActiveDrawing().ForEach([](host::Entity& entity) { entity.selected = true; });
    platform::ShowMessage("Cannot Open Tavro Program File");
    EXPECT_EQ(Window().StatusText(), "2 selected  |  Last message: Cannot Open Tavro Program File");
}

// Before the add-in runs, a click selects the entity under it and a second one unselects it.
TEST_F(CamHostWindowTest, AClickWhileNothingIsAskedTogglesTheNearestEntitysSelection) {
    const auto surfaceSelected = [&] {
        bool selected = false;
        host_.ActiveDrawing().ForEach([&](const host::Entity& e) {
            if (e.layer == kSkinLayer) selected = e.selected;
        });
        return selected;
    };
    Window().View().onClick(HostVector3{90, 10, 0});
    EXPECT_TRUE(surfaceSelected());
    EXPECT_EQ(host_.ActiveDrawing().SelectedCount(), 1u);
    Window().View().onClick(HostVector3{90, 10, 0});
    EXPECT_FALSE(surfaceSelected());
}

// A click away from every entity is a point of the construction plane (the top view's: z 0),
// even when the drawing's centre lies above it.
TEST_F(CamHostWindowTest, AClickAwayFromTheEntitiesIsAPointOfTheConstructionPlane) {
    host_.ActiveDrawing().Add(host::PointGeometry{{50, 50, 400}}, 2, 1);
    Window().View().Fit();
    const HostVector3 place = Window().View().PlaceAt(QPointF(3, 3));
    EXPECT_NEAR(place.z, 0.0, 1e-6);
}

// The link library writes its status into its progress box; the window's status line shows it.
TEST_F(CamHostWindowTest, TheStatusLineShowsTheLinkLibrarysStatusText) {
    platform::WindowEvent changed;
    changed.kind = platform::WindowEventKind::TextChanged;
    changed.text = "Loading surfaces";
    backend_->OnWindowEvent(changed);
    EXPECT_TRUE(Window().StatusText().startsWith("Loading surfaces  |  0 selected"))
        << Window().StatusText().toStdString();
}

}  // namespace
