#pragma once

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QTimer>
#include <QWidget>

class QMouseEvent;
class QPaintEvent;
class QPainter;
class QResizeEvent;
class QWheelEvent;

// Shows a picture whole, fitted to the widget with its aspect kept, or at a chosen zoom:
// scaled down smoothly, scaled up with sharp pixels (nearest neighbour). Dragging with the
// left button pans a picture larger than the widget; the wheel zooms about the cursor.
class picture_view : public QWidget
{
    Q_OBJECT

public:
    explicit picture_view(QWidget* parent = nullptr);

    // Shows `image`; a picture of another size is fitted again, one of the same size keeps
    // the zoom and the place.
    void show_picture(const QImage& image);
    const QImage& picture() const { return image; }

    void zoom_in();
    void zoom_out();
    void actual_size(); // one picture pixel to one screen pixel
    void fit();         // the whole picture in the widget

    // Screen pixels per picture pixel.
    double zoom() const;

    // The picture pixel under a point of the widget, which may lie outside the picture.
    QPoint picture_point(QPointF place) const;

signals:
    // After every change of zoom or place, and of the picture.
    void view_changed();
    // The picture pixel under the mouse pointer, whenever it moves over the widget.
    void pointed_at(QPoint pixel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    double fitting_zoom() const;
    // Sets the zoom, keeping the picture point under `anchor` (widget coordinates) there.
    void zoom_about(double new_zoom, QPointF anchor);
    // Keeps a picture larger than the widget covering it and centres a smaller one.
    void keep_in_view();
    // The picture's size on the screen at a zoom below 1:1.
    QSize reduced_size() const;
    void paint_reduced(QPainter& painter);
    void paint_enlarged(QPainter& painter, const QRect& area);

    QImage image;
    QImage reduced; // the picture averaged down to a zoom below 1:1, the present one or a past one
    QTimer settled; // runs out once the zoom has kept still, to average the picture again
    bool fitting = true;
    double chosen_zoom = 1.0;
    QPointF origin; // where the picture's top-left corner lands in the widget
    QPointF drag_start;
    QPointF origin_at_drag;
    bool dragging = false;
};
