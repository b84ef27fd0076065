// The host's document commands, its interaction with the user and its zoom.
#include "host/Host.h"

#include <algorithm>
#include <limits>

#include "host/DrawingFile.h"
#include "host/HostApiTable.h"
#include "host/ScriptedInteraction.h"
#include "platform/MessageService.h"
#include "platform/Paths.h"

namespace host {

bool SelectionAdmits(int mode, HostKind kind) {
    if (mode == 0) return true;
    switch (kind) {
        case HostKind::Point:
            return mode & kHostSelectPoints;
        case HostKind::Line:
            return mode & kHostSelectLines;
        case HostKind::Polyline:
            return mode & kHostSelectPolylines;
        case HostKind::Arc:
            return mode & kHostSelectArcs;
        case HostKind::Curve:
            return mode & kHostSelectCurves;
        case HostKind::Surface:
            return mode & kHostSelectSurfaces;
        case HostKind::Text:
            return mode & kHostSelectText;
    }
    return false;
}

Host::Host() : interaction_(std::make_unique<ScriptedInteraction>()) { MakeWindow(); }

Host::~Host() {
    if (BoundHost() == this) UnbindHost();
}

void Host::MakeWindow() {
    window_.reset();
    window_ = std::make_unique<platform::HostMainWindow>();
    // A new window claims the vacant main window by itself; it is the owner of dialogs only
    // while its host is the one the operations table acts on.
    const platform::WindowHandle handle = window_->Handle();
    if (BoundHost() == this)
        platform::SetMainWindow(handle);
    else if (platform::MainWindow() == handle)
        platform::SetMainWindow({});
}

platform::HostMainWindow& Host::Window() {
    // Handles are never reused, so a reset framework no longer knows the window by its handle.
    if (platform::WindowFromHandle(window_->Handle()) != window_.get()) MakeWindow();
    return *window_;
}

MainWindowState Host::WindowState() {
    const platform::HostMainWindow& window = Window();
    return {window.IsEnabled(), platform::FocusWindow() == window.Handle(),
            platform::ForegroundWindow() == window.Handle()};
}

bool Host::Refuse(const std::string& message) {
    platform::ShowMessage(message);
    return false;
}

void Host::NewDrawing() {
    drawing_.Clear();
    zoom_.reset();
}

bool Host::OpenDrawing(std::string_view systemPath, bool merge) {
    const platform::Expected<Drawing> read = ReadDrawingFile(platform::MapPath(systemPath));
    if (!read)
        return Refuse("Cannot open the drawing \"" + std::string(systemPath) +
                      "\": " + read.Describe());
    if (merge) {
        drawing_.MergeFrom(*read);
    } else {
        drawing_.ReplaceWith(*read);
        zoom_.reset();
    }
    return true;
}

platform::Status Host::SaveDrawing(std::string_view systemPath) {
    platform::Status saved = WriteDrawingFile(drawing_, platform::MapPath(systemPath));
    if (!saved)
        Refuse("Cannot save the drawing \"" + std::string(systemPath) + "\": " + saved.Describe());
    return saved;
}

int Host::SelectInteractively(int mode) {
    if (!interaction_) return -1;
    const std::optional<std::vector<HostVector3>> clicks = interaction_->SelectionClicks(mode);
    if (!clicks) return -1;
    bool selected = false;
    for (const HostVector3& click : *clicks) {
        if (Entity* nearest = NearestShownEntity(click, mode)) {
            nearest->selected = true;
            selected = true;
        }
    }
    return selected ? 0 : -1;
}

Entity* Host::NearestShownEntity(const HostVector3& place, int mode) {
    Entity* nearest = nullptr;
    double nearestDistance = std::numeric_limits<double>::infinity();
    drawing_.ForEach([&](Entity& e) {
        const auto layer = drawing_.Layers().find(e.layer);
        const bool shown = layer == drawing_.Layers().end() || layer->second.visible;
        if (!shown || !SelectionAdmits(mode, KindOf(e.geometry))) return;
        const double distance = DistanceTo(e.geometry, place);
        if (distance < nearestDistance) {
            nearest = &e;
            nearestDistance = distance;
        }
    });
    return nearest;
}

std::optional<HostVector3> Host::PickLocation() {
    if (!interaction_) return std::nullopt;
    return interaction_->PickLocation();
}

void Host::ZoomFit() {
    std::optional<ZoomWindow> window;
    drawing_.ForEach([&](const Entity& e) {
        const auto layer = drawing_.Layers().find(e.layer);
        if (layer != drawing_.Layers().end() && !layer->second.visible) return;
        for (const HostVector3& p : OutlinePoints(e.geometry)) {
            if (!window) {
                window = ZoomWindow{p, p};
                continue;
            }
            window->low = {std::min(window->low.x, p.x), std::min(window->low.y, p.y),
                           std::min(window->low.z, p.z)};
            window->high = {std::max(window->high.x, p.x), std::max(window->high.y, p.y),
                            std::max(window->high.z, p.z)};
        }
    });
    zoom_ = window;
}

}  // namespace host
