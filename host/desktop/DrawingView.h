// A 3D view of the host's drawing: visible entities in their colours, the selection
// highlighted; dragging turns the view, the wheel zooms, a click is a place in the drawing.
#pragma once

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
    // Where a drawing point appears in the widget.
    [[nodiscard]] QPointF Project(const HostVector3& point) const;
    // The drawing place under widget point `at`: the nearest outline point of a visible
    // entity within a few pixels, else the point on the plane through the drawing's centre
    // facing the viewer.
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
    [[nodiscard]] bool Shows(const Entity& entity) const;

    const Drawing& drawing_;
    double yaw_ = 0.0;  // radians
    double pitch_ = 0.0;
    double scale_ = 1.0;  // pixels per drawing unit
    HostVector3 centre_;  // view-space point at the widget's centre
    QPoint pressedAt_;
    bool dragging_ = false;
    bool fitted_ = false;
};

}  // namespace host
