#include "picture_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr double zoom_step = 1.25;
constexpr double largest_zoom = 64.0;
constexpr double smallest_zoom = 1.0 / 1024.0;
constexpr int wheel_notch = 120;

} // namespace

picture_view::picture_view(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(64, 64);
}

void picture_view::show_picture(const QImage& new_image)
{
    const bool same_size = new_image.size() == image.size();
    image = new_image;
    reduced = QImage();
    if (!same_size) {
        fitting = true;
    }
    keep_in_view();
    update();
    emit view_changed();
}

double picture_view::fitting_zoom() const
{
    if (image.isNull()) {
        return 1.0;
    }
    return std::min(static_cast<double>(width()) / image.width(),
                    static_cast<double>(height()) / image.height());
}

double picture_view::zoom() const
{
    return fitting ? fitting_zoom() : chosen_zoom;
}

QPoint picture_view::picture_point(QPointF place) const
{
    const QPointF point = (place - origin) / zoom();
    return {static_cast<int>(std::floor(point.x())), static_cast<int>(std::floor(point.y()))};
}

void picture_view::zoom_in()
{
    zoom_about(zoom() * zoom_step, QRectF(rect()).center());
}

void picture_view::zoom_out()
{
    zoom_about(zoom() / zoom_step, QRectF(rect()).center());
}

void picture_view::actual_size()
{
    zoom_about(1.0, QRectF(rect()).center());
}

void picture_view::fit()
{
    fitting = true;
    keep_in_view();
    update();
    emit view_changed();
}

void picture_view::zoom_about(double new_zoom, QPointF anchor)
{
    const double old_zoom = zoom();
    chosen_zoom = std::clamp(new_zoom, smallest_zoom, largest_zoom);
    fitting = false;
    origin = anchor - (anchor - origin) * (chosen_zoom / old_zoom);
    keep_in_view();
    update();
    emit view_changed();
}

void picture_view::keep_in_view()
{
    const double shown_zoom = zoom();
    const QSizeF shown = QSizeF(image.size()) * shown_zoom;
    const auto place = [](double start, double length, double room) {
        if (length <= room) {
            return (room - length) / 2;
        }
        return std::clamp(start, room - length, 0.0);
    };
    origin = {place(origin.x(), shown.width(), width()),
              place(origin.y(), shown.height(), height())};
    if (!reduced.isNull() && reduced.size() != shown.toSize()) {
        reduced = QImage();
    }
}

void picture_view::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    if (image.isNull()) {
        return;
    }
    if (zoom() < 1.0) {
        paint_reduced(painter);
    } else {
        paint_enlarged(painter, event->rect());
    }
}

// Below 1:1 the whole picture is scaled once per zoom, smoothly, and kept.
void picture_view::paint_reduced(QPainter& painter)
{
    const QSize shown = (QSizeF(image.size()) * zoom()).toSize().expandedTo(QSize(1, 1));
    if (reduced.size() != shown) {
        reduced = image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    painter.drawImage(origin, reduced);
}

// From 1:1 up only the picture pixels that reach the painted area are copied and drawn,
// each as a square of screen pixels.
void picture_view::paint_enlarged(QPainter& painter, const QRect& area)
{
    const double shown_zoom = zoom();
    const QPoint first = picture_point(area.topLeft());
    const QPoint last = picture_point(area.bottomRight() + QPoint(1, 1));
    const QRect part = QRect(first, last).intersected(image.rect());
    if (part.isEmpty()) {
        return;
    }
    const QRectF target(origin + QPointF(part.topLeft()) * shown_zoom,
                        QSizeF(part.size()) * shown_zoom);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, image.copy(part));
}

void picture_view::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    keep_in_view();
    emit view_changed();
}

void picture_view::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / static_cast<double>(wheel_notch);
    if (notches != 0.0) {
        zoom_about(zoom() * std::pow(zoom_step, notches), event->position());
    }
    event->accept();
}

void picture_view::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragging = true;
    drag_start = event->position();
    origin_at_drag = origin;
    setCursor(Qt::ClosedHandCursor);
}

void picture_view::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging) {
        chosen_zoom = zoom();
        fitting = false;
        origin = origin_at_drag + (event->position() - drag_start);
        keep_in_view();
        update();
        emit view_changed();
    }
    emit pointed_at(picture_point(event->position()));
    QWidget::mouseMoveEvent(event);
}

void picture_view::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && dragging) {
        dragging = false;
        unsetCursor();
    }
    QWidget::mouseReleaseEvent(event);
}
