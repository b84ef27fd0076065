// The stand-in CAD host: its drawing, the objects it has handed out, its main window and zoom,
// the user's answers, and its document commands (new, open, merge, save, paste).
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/Drawing.h"
#include "host/HostInteraction.h"
#include "host/ObjectLedger.h"
#include "platform/Status.h"
#include "platform/dialog/Window.h"

namespace host {

namespace geometry {
class Surface;
}

// The value of HostDrawing: the host has one drawing, and it is the low word of every handle.
inline constexpr int kDrawingNumber = 1;

// Whether a selection in `mode` admits entities of `kind`.
[[nodiscard]] bool SelectionAdmits(int mode, HostKind kind);

// The state of the host's main window as the add-in leaves it.
struct MainWindowState {
    bool enabled = true;
    bool focused = false;
    bool inFront = false;
};

// The part of the drawing the display shows after a zoom.
struct ZoomWindow {
    HostVector3 low;
    HostVector3 high;
};

class Host {
public:
    // An empty drawing, a main window, and the session script answering the user's part.
    Host();
    // Unbinds the operations table when it is bound to this host.
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    [[nodiscard]] Drawing& ActiveDrawing() { return drawing_; }
    [[nodiscard]] const Drawing& ActiveDrawing() const { return drawing_; }
    // Objects and blocks handed out through the operations table and not yet freed.
    [[nodiscard]] ObjectLedger& Objects() { return objects_; }
    // The main window as the dialog framework has it: the owner of dialogs while this host is
    // bound. Made again when the framework was reset since (tests reset it between cases).
    [[nodiscard]] platform::HostMainWindow& Window();
    // Whether the main window is enabled, has the keyboard focus and is in the foreground.
    [[nodiscard]] MainWindowState WindowState();
    // What the display shows after the last zoom to fit; none before any.
    [[nodiscard]] const std::optional<ZoomWindow>& Zoom() const { return zoom_; }

    // Installs who answers the host's requests of the user, in place of the session script
    // (ScriptedInteraction), which answers from the start.
    template <class T>
    T& SetInteraction(std::unique_ptr<T> interaction) {
        T& installed = *interaction;
        interaction_ = std::move(interaction);
        return installed;
    }

    // ---- documents (paths as the system writes them, mapped by the path service) ----
    // Starts a new, empty drawing.
    void NewDrawing();
    // Opens a drawing file in place of the drawing, or merges it into the drawing. A file that
    // cannot be read is refused with a message naming its line, leaving the drawing as it was.
    bool OpenDrawing(std::string_view systemPath, bool merge);
    // Saves the drawing; a failure is also shown as a message.
    platform::Status SaveDrawing(std::string_view systemPath);
    // Merges the drawing file bytes held on the clipboard in the host's clip format; a message
    // and false when there are none or they are not a drawing.
    bool PasteFromClipboard();

    // ---- interaction ----
    // Selects, for each of the user's clicks, the nearest entity that `mode` admits on a shown
    // layer. 0 when something was selected; -1 when the user cancelled or nothing fits.
    int SelectInteractively(int mode);
    // The entity on a shown layer nearest to `place` that a selection in `mode` admits (0 admits
    // every kind), or null when there is none.
    [[nodiscard]] Entity* NearestShownEntity(const HostVector3& place, int mode);
    // The location the user picks; none when cancelled.
    [[nodiscard]] std::optional<HostVector3> PickLocation();
    // Fits the display to the entities on shown layers.
    void ZoomFit();

    // Builds a surface entity (current colour and layer) from rows of points that `adapter`
    // delivers until it reports the end of the data; 0 when the rows form a grid.
    int SurfaceFromPoints(std::FILE* file, HostPointAdapter adapter);

    // ---- surface geometry ----
    // The geometry of a handed-out surface object (its payload a HostSurfaceObject), built on
    // its first query and kept with it (host/BuiltSurface.h).
    [[nodiscard]] std::shared_ptr<const BuiltSurface> BuiltGeometryOf(HandedObject& object);
    // Keeps `surface`, built from the object's points as they are now, as its geometry (an offset
    // fills an object with points whose grid it has just built), so that its first query need
    // not build it again.
    void KeepGeometry(HandedObject& object, geometry::Surface surface);
    // Surface geometries built so far: one per surface object queried, unless edited between.
    [[nodiscard]] std::size_t SurfaceBuilds() const { return surfaceBuilds_; }

private:
    bool Refuse(const std::string& message);
    // Makes the main window; the framework's main window exactly while this host is bound.
    void MakeWindow();

    Drawing drawing_;
    ObjectLedger objects_;
    std::unique_ptr<platform::HostMainWindow> window_;
    std::optional<ZoomWindow> zoom_;
    std::unique_ptr<HostInteraction> interaction_;
    std::size_t surfaceBuilds_ = 0;
};

}  // namespace host
