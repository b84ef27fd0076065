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
// Share of a surface's colour it keeps when turned edge-on to the light.
constexpr double kAmbient = 0.35;
// Cells drawn of one surface at most; finer grids are drawn through every n-th line.
constexpr double kMaxPatches = 20000;

double Dot(const HostVector3& a, const HostVector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
HostVector3 Minus(const HostVector3& a, const HostVector3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

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

QPointF DrawingView::Project(const HostVector3& point) const { return ToWidget(ToView(point)); }

QPointF DrawingView::ToWidget(const HostVector3& v) const {
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
    // Elsewhere: the point of the construction plane (through the origin, across the
    // construction view's depth axis) under the mouse; where the view looks along that plane,
    // the point on the plane through the view's centre facing the viewer.
    const double x = centre_.x + (at.x() - width() / 2.0) / scale_;
    const double y = centre_.y - (at.y() - height() / 2.0) / scale_;
    const HostVector3 onScreen = FromView({x, y, centre_.z});
    const HostVector3 behind = FromView({x, y, centre_.z + 1.0});
    const HostVector3 along{behind.x - onScreen.x, behind.y - onScreen.y, behind.z - onScreen.z};
    const auto view = drawing_.Views().find(drawing_.ConstructionView());
    if (view == drawing_.Views().end()) return onScreen;
    const Matrix4& m = view->second.matrix;
    const HostVector3 normal{m[2], m[6], m[10]};
    const double across = normal.x * along.x + normal.y * along.y + normal.z * along.z;
    if (std::abs(across) < 1e-9) return onScreen;
    const double t =
        -(normal.x * onScreen.x + normal.y * onScreen.y + normal.z * onScreen.z) / across;
    return {onScreen.x + t * along.x, onScreen.y + t * along.y, onScreen.z + t * along.z};
}

QColor DrawingView::ColourOf(const Entity& entity) const {
    return entity.selected ? kSelected
                           : QColor(QString::fromStdString(HostColourRgb(entity.color)));
}

void DrawingView::PaintSurfaces(QPainter& painter) const {
    // Every visible surface's cells, drawn farthest first so that nearer ones cover them.
    struct Patch {
        QPolygonF corners;
        QColor colour;
        double depth;
    };
    std::vector<Patch> patches;
    drawing_.ForEach([&](const Entity& entity) {
        const auto* surface = std::get_if<SurfaceGeometry>(&entity.geometry);
        if (surface == nullptr || !Shows(entity) || surface->rows < 2 || surface->columns < 2)
            return;
        // Large grids through every n-th line: the picture stays quick to draw.
        const int step = std::max(
            1, int(std::ceil(std::sqrt(double(surface->rows) * surface->columns / kMaxPatches))));
        const QColor colour = ColourOf(entity);
        const auto at = [&](int row, int column) {
            row = std::min(row, surface->rows - 1), column = std::min(column, surface->columns - 1);
            return surface->points[std::size_t(row) * surface->columns + column];
        };
        for (int row = 0; row + 1 < surface->rows; row += step)
            for (int column = 0; column + 1 < surface->columns; column += step) {
                const HostVector3 corners[] = {
                    ToView(at(row, column)), ToView(at(row, column + step)),
                    ToView(at(row + step, column + step)), ToView(at(row + step, column))};
                // The light comes from the viewer: a cell facing it is brightest, either side.
                const HostVector3 a = Minus(corners[2], corners[0]),
                                  b = Minus(corners[3], corners[1]);
                const HostVector3 normal{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z,
                                         a.x * b.y - a.y * b.x};
                const double length = std::sqrt(Dot(normal, normal));
                const double facing = length > 0 ? std::abs(normal.z) / length : 1.0;
                const double light = kAmbient + (1.0 - kAmbient) * facing;
                Patch patch{{}, {}, 0.0};
                for (const HostVector3& corner : corners) {
                    patch.corners << ToWidget(corner);
                    patch.depth += corner.z / 4;
                }
                patch.colour =
                    QColor::fromRgbF(float(colour.redF() * light), float(colour.greenF() * light),
                                     float(colour.blueF() * light));
                patches.push_back(std::move(patch));
            }
    });
    std::sort(patches.begin(), patches.end(),
              [](const Patch& a, const Patch& b) { return a.depth < b.depth; });
    // Cells meet without seams: each is outlined in its own colour, without antialiasing.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const Patch& patch : patches) {
        painter.setPen(QPen(patch.colour, 0));
        painter.setBrush(patch.colour);
        painter.drawPolygon(patch.corners);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, true);
}

void DrawingView::paintEvent(QPaintEvent*) {
    if (!fitted_) Fit();
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    PaintSurfaces(painter);
    // The other entities as lines over the surfaces.
    drawing_.ForEach([&](const Entity& entity) {
        if (!Shows(entity) || std::holds_alternative<SurfaceGeometry>(entity.geometry)) return;
        QPen pen(ColourOf(entity));
        pen.setWidthF(entity.selected ? 2.5 : 1.2);
        painter.setPen(pen);
        const std::vector<HostVector3> outline = OutlinePoints(entity.geometry);
        if (outline.empty()) return;
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
    panning_ = event->button() != Qt::LeftButton || (event->modifiers() & Qt::ShiftModifier);
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint moved = event->position().toPoint() - pressedAt_;
    if (!dragging_ && moved.manhattanLength() < kDragThreshold) return;
    dragging_ = true;
    pressedAt_ = event->position().toPoint();
    if (panning_) {
        Pan(moved);
        return;
    }
    // The view turns about the drawing point at its centre, which stays there.
    const HostVector3 pivot = FromView(centre_);
    yaw_ += moved.x() * kDegreesPerPixel * kPi / 180.0;
    pitch_ = std::clamp(pitch_ + moved.y() * kDegreesPerPixel * kPi / 180.0, -kPi / 2, kPi / 2);
    centre_ = ToView(pivot);
    update();
}

void DrawingView::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ && event->button() == Qt::LeftButton && onClick)
        onClick(PlaceAt(event->position()));
    dragging_ = false;
}

void DrawingView::Pan(QPoint by) {
    centre_.x -= by.x() / scale_;
    centre_.y += by.y() / scale_;
    update();
}

void DrawingView::wheelEvent(QWheelEvent* event) {
    // The drawing point under the mouse stays under it.
    const QPointF from = event->position() - QPointF(width() / 2.0, height() / 2.0);
    const double x = centre_.x + from.x() / scale_, y = centre_.y - from.y() / scale_;
    scale_ *= event->angleDelta().y() > 0 ? 1.25 : 0.8;
    centre_.x = x - from.x() / scale_;
    centre_.y = y + from.y() / scale_;
    update();
}

void DrawingView::resizeEvent(QResizeEvent*) { Fit(); }

}  // namespace host
