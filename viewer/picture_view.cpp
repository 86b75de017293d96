#include "picture_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr double zoom_step = 1.25;
constexpr double largest_zoom = 64.0;
constexpr double smallest_zoom = 1.0 / 1024.0;
constexpr int wheel_notch = 120;

// The colours of an 8-bit picture's values: its table, or the greys.
QList<QRgb> colours_of(const QImage& picture)
{
    if (picture.format() == QImage::Format_Indexed8) {
        QList<QRgb> table = picture.colorTable();
        table.resize(256, qRgb(0, 0, 0));
        return table;
    }
    QList<QRgb> greys(256);
    for (int level = 0; level < 256; ++level) {
        greys[level] = qRgb(level, level, level);
    }
    return greys;
}

// An 8-bit picture reduced to `size` (no larger than it) by averaging the pixels each
// reduced pixel covers, a row at a time: unlike Qt's smooth scaling it makes no copy of
// the picture at four bytes a pixel, which for the spectrum of a large photograph would
// be a gigabyte.
QImage averaged(const QImage& picture, QSize size)
{
    const QList<QRgb> colours = colours_of(picture);
    const int width = picture.width();
    std::vector<int> column_of(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        column_of[static_cast<std::size_t>(x)] =
            static_cast<int>(static_cast<std::int64_t>(x) * size.width() / width);
    }
    QImage result(size, QImage::Format_RGB32);
    std::vector<std::uint64_t> sums(static_cast<std::size_t>(size.width()) * 4);
    int row = 0;
    for (int y = 0; y < size.height(); ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        const int end =
            static_cast<int>(static_cast<std::int64_t>(y + 1) * picture.height() / size.height());
        for (; row < end; ++row) {
            const uchar* values = picture.constScanLine(row);
            for (int x = 0; x < width; ++x) {
                const QRgb colour = colours[values[x]];
                std::uint64_t* sum =
                    &sums[static_cast<std::size_t>(column_of[static_cast<std::size_t>(x)]) * 4];
                sum[0] += static_cast<std::uint64_t>(qRed(colour));
                sum[1] += static_cast<std::uint64_t>(qGreen(colour));
                sum[2] += static_cast<std::uint64_t>(qBlue(colour));
                sum[3] += 1;
            }
        }
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const std::uint64_t* sum = &sums[static_cast<std::size_t>(x) * 4];
            const std::uint64_t count = std::max<std::uint64_t>(sum[3], 1);
            line[x] = qRgb(static_cast<int>(sum[0] / count), static_cast<int>(sum[1] / count),
                           static_cast<int>(sum[2] / count));
        }
    }
    return result;
}

// The picture at `size`, smaller than it, each pixel the mean of those it covers.
QImage reduced_to(const QImage& picture, QSize size)
{
    if (picture.format() == QImage::Format_Grayscale8 ||
        picture.format() == QImage::Format_Indexed8) {
        return averaged(picture, size);
    }
    return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

picture_view::picture_view(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(64, 64);
    settled.setSingleShot(true);
    settled.setInterval(150);
    connect(&settled, &QTimer::timeout, this, [this] {
        reduced = QImage();
        update();
    });
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
    if (!reduced.isNull() && reduced.size() != reduced_size()) {
        settled.start(); // from now, for the last change of zoom
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

QSize picture_view::reduced_size() const
{
    return (QSizeF(image.size()) * zoom()).toSize().expandedTo(QSize(1, 1));
}

// Below 1:1 the whole picture is averaged down once per zoom and kept. While the zoom
// changes (a window dragged larger, the wheel turned) the last one kept is drawn scaled,
// and the picture is averaged again only once the zoom has kept still: a large picture
// takes a good part of a second.
void picture_view::paint_reduced(QPainter& painter)
{
    const QSize shown = reduced_size();
    if (reduced.isNull()) {
        reduced = reduced_to(image, shown);
    }
    if (reduced.size() == shown) {
        painter.drawImage(origin, reduced);
        return;
    }
    painter.drawImage(QRectF(origin, QSizeF(shown)), reduced);
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
