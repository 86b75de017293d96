#include "paths.h"

#include "file_name.h"

#include <QCoreApplication>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <stdexcept>
#include <tuple>

namespace {

std::optional<struct stat> status_of(const QByteArray& path, bool follow_link = true)
{
    struct stat status
    {
    };
    const int result =
        follow_link ? ::stat(path.constData(), &status) : ::lstat(path.constData(), &status);
    if (result != 0) {
        return std::nullopt;
    }
    return status;
}

QByteArray folder_of(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.first(slash);
}

QByteArray last_part_of(const QByteArray& path)
{
    return path.sliced(path.lastIndexOf('/') + 1);
}

// The text names the role as %1 and the file as %2.
[[noreturn]] void refuse(const char* text, const QString& role, const QString& name,
                         const QString& other = {})
{
    QString message = QCoreApplication::translate("widmo-cli", text).arg(role, shown_name(name));
    if (!other.isEmpty()) {
        message = message.arg(shown_name(other));
    }
    throw std::runtime_error(message.toStdString());
}

// Whether an open would follow the link in `folder` with the kernel's protection of links
// in shared folders on.
bool may_follow(const struct stat& link, const QByteArray& folder)
{
    const auto shared = status_of(folder);
    const bool sticky_for_all =
        shared && (shared->st_mode & S_ISVTX) && (shared->st_mode & S_IWOTH);
    return !sticky_for_all || link.st_uid == ::geteuid() || link.st_uid == shared->st_uid;
}

QByteArray link_target(const QByteArray& link)
{
    QByteArray target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(link.constData(), target.data(), target.size());
    if (length < 0 || length >= target.size()) {
        return {};
    }
    target.truncate(length);
    return target.startsWith('/') ? target : folder_of(link) + '/' + target;
}

} // namespace

bool file_place::operator<(const file_place& other) const
{
    return std::tie(exists, device, inode, new_name) <
           std::tie(other.exists, other.device, other.inode, other.new_name);
}

QByteArray output_target(const QString& role, const QString& name)
{
    constexpr int deepest = 40; // as the kernel's own limit on links in a row
    QByteArray path = file_name_bytes(name);
    for (int depth = 0; depth <= deepest; ++depth) {
        const auto link = status_of(path, false);
        if (!link || !S_ISLNK(link->st_mode)) {
            return path;
        }
        if (!may_follow(*link, folder_of(path))) {
            refuse(QT_TRANSLATE_NOOP("widmo-cli",
                                     "%1 %2 leads through a link that another user made in a "
                                     "folder shared by all; it is not followed"),
                   role, name);
        }
        path = link_target(path);
    }
    refuse(QT_TRANSLATE_NOOP("widmo-cli", "%1 %2 leads through too many links"), role, name);
}

std::optional<file_place> input_place(const QString& name)
{
    if (const auto file = status_of(file_name_bytes(name))) {
        return file_place{true, S_ISREG(file->st_mode), file->st_dev, file->st_ino, {}};
    }
    return std::nullopt;
}

namespace {

// Where writing the name leads, its links followed as output_target() follows them.
std::optional<file_place> output_place(const QString& role, const QString& name)
{
    const QByteArray target = output_target(role, name);
    if (const auto file = status_of(target)) {
        return file_place{true, S_ISREG(file->st_mode), file->st_dev, file->st_ino, {}};
    }
    if (const auto folder = status_of(folder_of(target))) {
        return file_place{false, false, folder->st_dev, folder->st_ino, last_part_of(target)};
    }
    return std::nullopt;
}

bool same_place(const std::optional<file_place>& a, const std::optional<file_place>& b)
{
    return a && b && *a == *b;
}

std::optional<file_place> check_output(const QString& role, const QString& name,
                                       const std::optional<file_place>& input)
{
    std::optional<file_place> output = output_place(role, name);
    if (output && output->exists && !output->regular) {
        refuse(QT_TRANSLATE_NOOP("widmo-cli", "%1 %2 is not a regular file; it is left as it is"),
               role, name);
    }
    if (input && input->exists && same_place(input, output)) {
        refuse(QT_TRANSLATE_NOOP("widmo-cli", "%1 %2 is the input file"), role, name);
    }
    return output;
}

} // namespace

output_places refuse_clashing_files(const QString& input, const output_files& outputs)
{
    const std::optional<file_place> input_file =
        input.isEmpty() ? std::nullopt : input_place(input);
    const bool to_file = !outputs.picture.isEmpty() && outputs.picture != QLatin1String("-");
    const auto picture = to_file
                             ? check_output(QStringLiteral("OUTPUT"), outputs.picture, input_file)
                             : std::nullopt;
    if (outputs.npy.isEmpty()) {
        return {picture, std::nullopt};
    }
    const auto npy = check_output(QStringLiteral("--npy"), outputs.npy, input_file);
    if (same_place(picture, npy)) {
        refuse(QT_TRANSLATE_NOOP("widmo-cli", "%1 %2 is the same file as OUTPUT %3"),
               QStringLiteral("--npy"), outputs.npy, outputs.picture);
    }
    return {picture, npy};
}
