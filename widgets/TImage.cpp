#include "TImage.h"

#include "TApplication.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TImage::TImage(QWidget* parent) : QWidget(parent)
{
    picture.OnChange = [this] { update(); };
}

void TImage::Center(bool centre)
{
    centred = centre;
    update();
}

QSize TImage::PictureSize() const
{
    const TBitmap* bitmap = picture.Graphic();
    return bitmap ? bitmap->Image().size() : QSize(0, 0);
}

QPoint TImage::PictureOrigin() const
{
    if (!centred) {
        return {0, 0};
    }
    const QSize free = size() - PictureSize();
    return {free.width() / 2, free.height() / 2};
}

QRect TImage::VisiblePart() const
{
    const QRect placed(PictureOrigin(), PictureSize());
    return placed.intersected(rect()).translated(-PictureOrigin());
}

void TImage::paintEvent(QPaintEvent*)
{
    const QRect part = VisiblePart();
    if (part.isEmpty()) {
        return;
    }
    // Only the shown part is converted for the screen, so a huge picture paints as fast
    // as a small one.
    QPainter painter(this);
    painter.drawImage(PictureOrigin() + part.topLeft(), picture.Graphic()->Image().copy(part));
}

void TImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && OnDblClick) {
        Application->Guarded(OnDblClick);
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}
