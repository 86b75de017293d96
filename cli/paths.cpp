#include "paths.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <optional>
#include <stdexcept>
#include <string>

namespace {

// Where a name leads: the file itself when it exists, else the folder in which writing
// the name would create a file, and that file's name.
struct Place
{
    bool exists = false;
    bool regular = false;
    dev_t device = 0;
    ino_t inode = 0;
    QString newName; // empty when the file exists
};

std::optional<struct stat> status_of(const QString& path)
{
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return std::nullopt;
    }
    return status;
}

// The end of a chain of symbolic links that leads to nothing: where QSaveFile, which
// follows them, would create the file.
QFileInfo end_of_links(const QString& path)
{
    constexpr int deepest = 40;
    QFileInfo info(path);
    for (int depth = 0; depth < deepest && info.isSymLink(); ++depth) {
        info.setFile(info.symLinkTarget());
    }
    return info;
}

// Null when neither the file nor the folder it would go into can be reached; writing
// it then fails on its own.
std::optional<Place> place_of(const QString& path)
{
    if (const auto file = status_of(path)) {
        return Place{true, S_ISREG(file->st_mode), file->st_dev, file->st_ino, {}};
    }
    const QFileInfo end = end_of_links(path);
    if (const auto folder = status_of(end.absolutePath())) {
        return Place{false, false, folder->st_dev, folder->st_ino, end.fileName()};
    }
    return std::nullopt;
}

bool same_place(const std::optional<Place>& a, const std::optional<Place>& b)
{
    return a && b && a->exists == b->exists && a->device == b->device && a->inode == b->inode &&
           a->newName == b->newName;
}

[[noreturn]] void refuse(const QString& role, const QString& name, const std::string& reason)
{
    throw std::runtime_error(role.toStdString() + " " + name.toStdString() + " " + reason);
}

void check_output(const QString& role, const QString& name, const std::optional<Place>& input)
{
    const std::optional<Place> output = place_of(name);
    if (output && output->exists && !output->regular) {
        refuse(
            role, name,
            QCoreApplication::translate("widmo-cli", "is not a regular file; it is left as it is")
                .toStdString());
    }
    if (input && input->exists && same_place(input, output)) {
        refuse(role, name,
               QCoreApplication::translate("widmo-cli", "is the input file").toStdString());
    }
}

} // namespace

void refuse_clashing_files(const CliOptions& options)
{
    const std::optional<Place> input = place_of(options.input);
    check_output("OUTPUT", options.output, input);
    if (options.npy.isEmpty()) {
        return;
    }
    check_output("--npy", options.npy, input);
    if (same_place(place_of(options.output), place_of(options.npy))) {
        refuse("--npy", options.npy,
               QCoreApplication::translate("widmo-cli", "is the same file as OUTPUT %1")
                   .arg(options.output)
                   .toStdString());
    }
}
