#include "wait_cursor.h"

#include <QCursor>
#include <QGuiApplication>

cursor_override::cursor_override(Qt::CursorShape shape)
{
    QGuiApplication::setOverrideCursor(QCursor(shape));
}

cursor_override::~cursor_override()
{
    QGuiApplication::restoreOverrideCursor();
}
