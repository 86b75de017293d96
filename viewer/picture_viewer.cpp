#include "picture_viewer.h"

#include "picture_view.h"

#include <QCoreApplication>
#include <QFileInfo>

picture_viewer::picture_viewer(QWidget* parent) : viewer_window(QStringLiteral("picture"), parent)
{
}

void picture_viewer::show_picture(const QImage& picture, const QString& file)
{
    source_file(file);
    setWindowTitle(QCoreApplication::translate("viewer", "%1 - picture, %2 x %3 pixels")
                       .arg(QFileInfo(file).fileName())
                       .arg(picture.width())
                       .arg(picture.height()));
    view()->show_picture(picture);
}
