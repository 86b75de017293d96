#pragma once

#include "viewer_window.h"

#include <QImage>
#include <QString>

// The viewer of the picture the window loaded, as the window holds it: one grey level
// per pixel.
class picture_viewer : public viewer_window
{
    Q_OBJECT

public:
    explicit picture_viewer(QWidget* parent);

    // Shows `picture`, read from `file`; its pixels are shared, not copied.
    void show_picture(const QImage& picture, const QString& file);
};
