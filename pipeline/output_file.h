#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// An output written under a temporary name in the folder of the file it goes to (the end of
// its links, as output_target() follows them) and renamed over that file by put_in_place(), so
// that it appears complete or not at all; dropped before that, the temporary file goes and
// the file it would have replaced stays as it was. A replaced file's permissions are kept.
// Every failure raises std::runtime_error "cannot write NAME: the system's reason".
class output_file
{
public:
    // `role` names the output in messages ("OUTPUT", "--npy"), `name` is as given.
    output_file(const QString& role, const QString& name);
    output_file(const output_file&) = delete;
    output_file& operator=(const output_file&) = delete;

    QIODevice& device() { return file; }
    // Raises when `written` is false: the device refused a byte.
    void check_written(bool written) const;
    // Writes out what is held and makes it durable: what can fail for want of room.
    void write_out();
    // Puts the written file in place.
    void put_in_place();

private:
    [[noreturn]] void fail(const QString& reason) const;

    // The file written, removed when it goes unless it was put in place.
    struct temporary_name
    {
        temporary_name() = default;
        temporary_name(const temporary_name&) = delete;
        temporary_name& operator=(const temporary_name&) = delete;
        ~temporary_name();

        QByteArray bytes; // empty when there is none
    };

    QString name;
    QByteArray target;
    temporary_name temporary; // goes after the file, which closes first
    QFile file;
};

// Raises std::runtime_error "cannot write NAME: REASON".
[[noreturn]] void cannot_write(const QString& name, const QString& reason);
