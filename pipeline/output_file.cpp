#include "output_file.h"

#include "file_name.h"
#include "paths.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace {

// A new file beside `target`, made by this call alone (never an existing one, nor through
// a link): its descriptor and name, or -1 with errno set.
int create_beside(const QByteArray& target, QByteArray& made)
{
    constexpr int attempts = 64;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const QByteArray name =
            target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd =
            ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            made = name;
            return fd;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return -1;
}

// The permissions of the file `target` names, given to the new file that replaces it.
bool keep_permissions(int fd, const QByteArray& target)
{
    struct stat status
    {
    };
    if (::stat(target.constData(), &status) != 0) {
        return errno == ENOENT;
    }
    return ::fchmod(fd, status.st_mode & 07777) == 0;
}

} // namespace

void cannot_write(const QString& name, const QString& reason)
{
    throw std::runtime_error(QCoreApplication::translate("widmo-cli", "cannot write %1: %2")
                                 .arg(shown_name(name), reason)
                                 .toStdString());
}

output_file::temporary_name::~temporary_name()
{
    if (!bytes.isEmpty()) {
        ::unlink(bytes.constData());
    }
}

output_file::output_file(const QString& role, const QString& name_)
    : name(name_), target(output_target(role, name_))
{
    const int fd = create_beside(target, temporary.bytes);
    if (fd < 0) {
        fail(qt_error_string(errno));
    }
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        fail(file.errorString());
    }
    if (!keep_permissions(fd, target)) {
        fail(qt_error_string(errno));
    }
}

void output_file::fail(const QString& reason) const
{
    cannot_write(name, reason);
}

void output_file::check_written(bool written) const
{
    if (!written) {
        fail(file.errorString());
    }
}

void output_file::write_out()
{
    check_written(file.flush());
    if (::fsync(file.handle()) != 0) {
        fail(qt_error_string(errno));
    }
    file.close();
}

void output_file::put_in_place()
{
    if (::rename(temporary.bytes.constData(), target.constData()) != 0) {
        fail(qt_error_string(errno));
    }
    temporary.bytes.clear();
}
