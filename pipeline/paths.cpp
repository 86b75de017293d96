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
struct file_place
{
    bool exists = false;
    bool regular = false;
    dev_t device = 0;
    ino_t inode = 0;
    QString new_name; // empty when the file exists
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
std::optional<file_place> place_of(const QString& path)
{
    if (const auto file = status_of(path)) {
        return file_place{true, S_ISREG(file->st_mode), file->st_dev, file->st_ino, {}};
    }
    const QFileInfo end = end_of_links(path);
    if (const auto folder = status_of(end.absolutePath())) {
        return file_place{false, false, folder->st_dev, folder->st_ino, end.fileName()};
    }
    return std::nullopt;
}

bool same_place(const std::optional<file_place>& a, const std::optional<file_place>& b)
{
    return a && b && a->exists == b->exists && a->device == b->device && a->inode == b->inode &&
           a->new_name == b->new_name;
}

// The text names the role as %1 and the file as %2.
[[noreturn]] void refuse(const char* text, const QString& role, const QString& name,
                         const QString& other = {})
{
    QString message = QCoreApplication::translate("widmo-cli", text).arg(role, name);
    if (!other.isEmpty()) {
        message = message.arg(other);
    }
    throw std::runtime_error(message.toStdString());
}

void check_output(const QString& role, const QString& name, const std::optional<file_place>& input)
{
    const std::optional<file_place> output = place_of(name);
    if (output && output->exists && !output->regular) {
        refuse(QT_TRANSLATE_NOOP("widmo-cli", "%1 %2 is not a regular file; it is left as it is"),
               role, name);
    }
    if (input && input->exists && same_place(input, output)) {
        refuse(QT_TRANSLATE_NOOP("widmo-cli", "%1 %2 is the input file"), role, name);
    }
}

} // namespace

void refuse_clashing_files(const QString& input, const output_files& outputs)
{
    const std::optional<file_place> input_place = input.isEmpty() ? std::nullopt : place_of(input);
    const bool to_file = !outputs.picture.isEmpty() && outputs.picture != QLatin1String("-");
    if (to_file) {
        check_output(QStringLiteral("OUTPUT"), outputs.picture, input_place);
    }
    if (outputs.npy.isEmpty()) {
        return;
    }
    check_output(QStringLiteral("--npy"), outputs.npy, input_place);
    if (to_file && same_place(place_of(outputs.picture), place_of(outputs.npy))) {
        refuse(QT_TRANSLATE_NOOP("widmo-cli", "%1 %2 is the same file as OUTPUT %3"),
               QStringLiteral("--npy"), outputs.npy, outputs.picture);
    }
}
