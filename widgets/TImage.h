#pragma once

#include "TPicture.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

#include <functional>

class QMouseEvent;
class QPaintEvent;

// An image box: shows its picture at its own size, clipped to the box, at the top-left
// corner or, with Center set, centred (a larger picture then shows its middle part).
class TImage : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool Center READ Center WRITE Center)

public:
    explicit TImage(QWidget* parent = nullptr);

    TPicture* Picture() { return &picture; }
    const TPicture* Picture() const { return &picture; }

    bool Center() const { return centred; }
    void Center(bool centre);

    // Where the picture's top-left pixel lands in the box (negative when it starts
    // outside), and the part of the picture that the box shows.
    QPoint PictureOrigin() const;
    QRect VisiblePart() const;

    // Runs on a double-click of the left button in the box. An exception leaving it goes
    // to the application's handler, as a button's OnClick does.
    std::function<void()> OnDblClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QSize PictureSize() const;

    TPicture picture;
    bool centred = false;
};
