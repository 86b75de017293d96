#include "message_box.h"

#include "wait_cursor.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

void modal_message_box(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(),
                    QString::fromStdString(text), QMessageBox::Ok);
    // A message can come in the middle of a computation: the user still gets an arrow
    // to press OK with, and the wait cursor comes back after.
    cursor_override arrow(Qt::ArrowCursor);
    box.exec();
}
