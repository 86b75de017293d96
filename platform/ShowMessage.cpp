#include "ShowMessage.h"

#include "WaitCursor.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <iostream>
#include <utility>

namespace {

MessageSink& current_sink()
{
    static MessageSink sink;
    return sink;
}

bool widget_application_runs()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

void ModalMessageBox(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(),
                    QString::fromStdString(text), QMessageBox::Ok);
    // A message can come in the middle of a computation: the user still gets an arrow
    // to press OK with, and the wait cursor comes back after.
    CursorOverride arrow(Qt::ArrowCursor);
    box.exec();
}

void StandardErrorLine(const std::string& text)
{
    std::cerr << text << '\n' << std::flush;
}

void ShowMessage(const std::string& text)
{
    if (const MessageSink& sink = current_sink()) {
        sink(text);
    } else if (widget_application_runs()) {
        ModalMessageBox(text);
    } else {
        StandardErrorLine(text);
    }
}

MessageSink SetMessageSink(MessageSink sink)
{
    return std::exchange(current_sink(), std::move(sink));
}
