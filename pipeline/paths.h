#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

#include <optional>

// The files one picture's run writes: the spectrum picture ("-" for standard output, empty
// for none) and the spectrum itself (empty for none).
struct output_files
{
    QString picture;
    QString npy;
};

// Where a name leads: the file itself when it exists, else the folder in which writing the
// name would create a file, and that file's name. Two names lead to the same place when
// they name one file however spelt (other spellings, symbolic or hard links).
struct file_place
{
    bool exists = false;
    bool regular = false;
    dev_t device = 0;
    ino_t inode = 0;
    QByteArray new_name; // empty when the file exists

    bool operator==(const file_place&) const = default;
    bool operator<(const file_place& other) const;
};

// Where reading the name leads; nothing when it cannot be reached.
std::optional<file_place> input_place(const QString& name);

// The file an output name is written to: the name, or the end of the chain of symbolic
// links it starts, each link followed only where the kernel's protection of links in
// shared folders (fs.protected_symlinks) lets an open follow it: in a folder that is
// sticky and writable by all, such as /tmp, a link made by another user than the one
// running and the folder's owner is refused. The file system's bytes; raises
// std::runtime_error naming the output by its role ("OUTPUT", "--npy") and why.
QByteArray output_target(const QString& role, const QString& name);

// Refuses, with a std::runtime_error naming the file, outputs of which one is the input
// or the same file as the other, however the names reach it, and an existing output that
// is not a regular file: a FIFO, a device or a folder is never replaced. An empty input
// (standard input) and the output "-" (standard output) are no files here. Looks at names
// only; opens nothing. Returns where the outputs lead (nothing for one that is not a file or
// cannot be reached).
struct output_places
{
    std::optional<file_place> picture;
    std::optional<file_place> npy;
};
output_places refuse_clashing_files(const QString& input, const output_files& outputs);
