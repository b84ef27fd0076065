// Projection, painting and mouse handling of the drawing's 3D view.
#include "host/desktop/DrawingView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>

#include "host/EntityGeometry.h"
#include "host/picture/HostColours.h"

namespace host {
namespace {

constexpr double kPi = 3.14159265358979323846;
// How near (pixels) a click must be to an entity's outline to land on it.
constexpr double kPickRadius = 8.0;
// How far the mouse moves before a press turns the view rather than clicking.
constexpr int kDragThreshold = 4;
// Degrees the view turns per pixel of dragging.
constexpr double kDegreesPerPixel = 0.5;
const QColor kBackground(0x1e, 0x22, 0x28);
const QColor kSelected(0xff, 0xd7, 0x40);

}  // namespace

DrawingView::DrawingView(const Drawing& drawing, QWidget* parent)
    : QWidget(parent), drawing_(drawing) {
    setMinimumSize(320, 240);
    setMouseTracking(false);
}

void DrawingView::SetAngles(double yaw, double pitch) {
    yaw_ = yaw * kPi / 180.0;
    pitch_ = std::clamp(pitch, -90.0, 90.0) * kPi / 180.0;
    Fit();
}

HostVector3 DrawingView::ToView(const HostVector3& p) const {
    const double x = p.x * std::cos(yaw_) - p.y * std::sin(yaw_);
    const double y = p.x * std::sin(yaw_) + p.y * std::cos(yaw_);
    return {x, y * std::cos(pitch_) + p.z * std::sin(pitch_),
            -y * std::sin(pitch_) + p.z * std::cos(pitch_)};
}

HostVector3 DrawingView::FromView(const HostVector3& v) const {
    const double y = v.y * std::cos(pitch_) - v.z * std::sin(pitch_);
    const double z = v.y * std::sin(pitch_) + v.z * std::cos(pitch_);
    return {v.x * std::cos(yaw_) + y * std::sin(yaw_), -v.x * std::sin(yaw_) + y * std::cos(yaw_),
            z};
}

bool DrawingView::Shows(const Entity& entity) const {
    const auto found = drawing_.Layers().find(entity.layer);
    return found == drawing_.Layers().end() || found->second.visible;
}

void DrawingView::Fit() {
    double left = std::numeric_limits<double>::max(), right = -left, bottom = left, top = -left;
    double front = -left, back = left;
    drawing_.ForEach([&](const Entity& entity) {
        if (!Shows(entity)) return;
        for (const HostVector3& point : OutlinePoints(entity.geometry)) {
            const HostVector3 v = ToView(point);
            left = std::min(left, v.x), right = std::max(right, v.x);
            bottom = std::min(bottom, v.y), top = std::max(top, v.y);
            back = std::min(back, v.z), front = std::max(front, v.z);
        }
    });
    fitted_ = true;
    if (left > right) {  // nothing to show
        centre_ = {};
        scale_ = 1.0;
    } else {
        centre_ = {(left + right) / 2, (bottom + top) / 2, (back + front) / 2};
        const double width = std::max(right - left, 1e-9), height = std::max(top - bottom, 1e-9);
        scale_ = 0.9 * std::min(this->width() / width, this->height() / height);
    }
    update();
}

QPointF DrawingView::Project(const HostVector3& point) const {
    const HostVector3 v = ToView(point);
    return {width() / 2.0 + (v.x - centre_.x) * scale_,
            height() / 2.0 - (v.y - centre_.y) * scale_};
}

HostVector3 DrawingView::PlaceAt(QPointF at) const {
    double best = kPickRadius;
    std::optional<HostVector3> nearest;
    drawing_.ForEach([&](const Entity& entity) {
        if (!Shows(entity)) return;
        for (const HostVector3& point : OutlinePoints(entity.geometry)) {
            const QPointF shown = Project(point);
            const double distance = std::hypot(shown.x() - at.x(), shown.y() - at.y());
            if (distance <= best) best = distance, nearest = point;
        }
    });
    if (nearest) return *nearest;
    return FromView({centre_.x + (at.x() - width() / 2.0) / scale_,
                     centre_.y - (at.y() - height() / 2.0) / scale_, centre_.z});
}

void DrawingView::paintEvent(QPaintEvent*) {
    if (!fitted_) Fit();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), kBackground);
    drawing_.ForEach([&](const Entity& entity) {
        if (!Shows(entity)) return;
        QPen pen(entity.selected ? kSelected
                                 : QColor(QString::fromStdString(HostColourRgb(entity.color))));
        pen.setWidthF(entity.selected ? 2.5 : 1.2);
        painter.setPen(pen);
        if (const auto* surface = std::get_if<SurfaceGeometry>(&entity.geometry)) {
            // A surface as its grid of rows and columns.
            const auto at = [&](int row, int column) {
                return Project(surface->points[std::size_t(row) * surface->columns + column]);
            };
            for (int row = 0; row < surface->rows; ++row)
                for (int column = 0; column + 1 < surface->columns; ++column)
                    painter.drawLine(at(row, column), at(row, column + 1));
            for (int column = 0; column < surface->columns; ++column)
                for (int row = 0; row + 1 < surface->rows; ++row)
                    painter.drawLine(at(row, column), at(row + 1, column));
            return;
        }
        const std::vector<HostVector3> outline = OutlinePoints(entity.geometry);
        if (outline.size() == 1 || std::holds_alternative<PointGeometry>(entity.geometry)) {
            for (const HostVector3& point : outline) {
                const QPointF at = Project(point);
                painter.drawLine(at + QPointF(-3, -3), at + QPointF(3, 3));
                painter.drawLine(at + QPointF(-3, 3), at + QPointF(3, -3));
            }
            return;
        }
        QPainterPath path(Project(outline.front()));
        for (std::size_t i = 1; i < outline.size(); ++i) path.lineTo(Project(outline[i]));
        painter.drawPath(path);
    });
}

void DrawingView::mousePressEvent(QMouseEvent* event) {
    pressedAt_ = event->position().toPoint();
    dragging_ = false;
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint moved = event->position().toPoint() - pressedAt_;
    if (!dragging_ && moved.manhattanLength() < kDragThreshold) return;
    dragging_ = true;
    yaw_ += moved.x() * kDegreesPerPixel * kPi / 180.0;
    pitch_ = std::clamp(pitch_ + moved.y() * kDegreesPerPixel * kPi / 180.0, -kPi / 2, kPi / 2);
    pressedAt_ = event->position().toPoint();
    Fit();
}

void DrawingView::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ && event->button() == Qt::LeftButton && onClick)
        onClick(PlaceAt(event->position()));
    dragging_ = false;
}

void DrawingView::wheelEvent(QWheelEvent* event) {
    scale_ *= event->angleDelta().y() > 0 ? 1.25 : 0.8;
    update();
}

void DrawingView::resizeEvent(QResizeEvent*) { Fit(); }

}  // namespace host
