// A 3D view of the host's drawing: visible surfaces shaded and the other entities as lines in
// their colours, the selection highlighted; dragging turns the view (pans with the right or middle
// button, or with Shift), the wheel zooms about the mouse, a click is a place in the drawing.
#pragma once

#include <QPainter>
#include <QWidget>
#include <functional>

#include "host/Drawing.h"

namespace host {

class DrawingView : public QWidget {
public:
    explicit DrawingView(const Drawing& drawing, QWidget* parent = nullptr);

    // Turns the view: `yaw` about the drawing's Z axis, then `pitch` about the screen's
    // horizontal (degrees); 0, 0 is the top view.
    void SetAngles(double yaw, double pitch);
    // Fits the visible entities into the view.
    void Fit();
    // Moves the view's content by `by` pixels (what dragging with the right or middle button,
    // or with Shift held, does).
    void Pan(QPoint by);
    // Where a drawing point appears in the widget.
    [[nodiscard]] QPointF Project(const HostVector3& point) const;
    // The drawing place under widget point `at`: the nearest outline point of a visible
    // entity within a few pixels, else the point of the construction plane under it.
    [[nodiscard]] HostVector3 PlaceAt(QPointF at) const;
    // Called with the place of each click (a press and release without dragging).
    std::function<void(const HostVector3& place)> onClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The point in view space: x right, y up, z towards the viewer.
    [[nodiscard]] HostVector3 ToView(const HostVector3& point) const;
    [[nodiscard]] HostVector3 FromView(const HostVector3& point) const;
    [[nodiscard]] QPointF ToWidget(const HostVector3& view) const;
    [[nodiscard]] bool Shows(const Entity& entity) const;
    [[nodiscard]] QColor ColourOf(const Entity& entity) const;
    // Surfaces as shaded cells, lit from the viewer.
    void PaintSurfaces(QPainter& painter) const;

    const Drawing& drawing_;
    double yaw_ = 0.0;  // radians
    double pitch_ = 0.0;
    double scale_ = 1.0;  // pixels per drawing unit
    HostVector3 centre_;  // view-space point at the widget's centre
    QPoint pressedAt_;
    bool dragging_ = false;
    bool panning_ = false;  // the drag pans rather than turns
    bool fitted_ = false;
};

}  // namespace host
