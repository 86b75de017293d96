#pragma once

#include "Exception.h"
#include "file_name.h"

#include <QCoreApplication>
#include <QString>

// The one line that says why a picture was not read: "Cannot read the picture "NAME":
// REASON", its name shown escaped (standard input is "-").
[[noreturn]] inline void refuse_picture(const QString& file_name, const QString& reason)
{
    throw Exception(QCoreApplication::translate("widmo-cli", "Cannot read the picture \"%1\": %2")
                        .arg(shown_name(file_name), reason)
                        .toStdString());
}

// Calls work(), giving what it raises the file's name.
template <typename Work> void naming_the_file(const QString& file_name, const Work& work)
{
    try {
        work();
    } catch (const Exception& e) {
        refuse_picture(file_name, QString::fromStdString(e.Message()));
    }
}
