#include "bitmap_file.h"

#include "Exception.h"

#include <QCoreApplication>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <system_error>

namespace {

// Why the system refused the file, in our words for the common reasons.
QString system_error_text(int error)
{
    switch (error) {
    case ENOENT:
        return QCoreApplication::translate("bitmap", "there is no such file");
    case EACCES:
    case EPERM:
        return QCoreApplication::translate("bitmap", "permission to read it is denied");
    case ENOTDIR:
        return QCoreApplication::translate("bitmap", "a part of its path is not a folder");
    case ENAMETOOLONG:
        return QCoreApplication::translate("bitmap", "its name is too long");
    case ELOOP:
        return QCoreApplication::translate("bitmap", "its path has too many symbolic links");
    case EIO:
        return QCoreApplication::translate("bitmap", "the device reported a read error");
    default:
        return QString::fromStdString(std::generic_category().message(error));
    }
}

[[noreturn]] void raise_system_error(int error)
{
    throw Exception(system_error_text(error));
}

} // namespace

bitmap_file::bitmap_file(const std::string& file_name)
{
    // The name's bytes as given: a name that is not UTF-8 reaches its file.
    // O_NONBLOCK: opening a FIFO without a writer returns at once instead of waiting.
    fd = open(file_name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        raise_system_error(errno);
    }
    struct stat status
    {
    };
    if (fstat(fd, &status) != 0) {
        const int error = errno;
        close(fd);
        raise_system_error(error);
    }
    if (!S_ISREG(status.st_mode)) {
        close(fd);
        throw Exception(S_ISDIR(status.st_mode)
                            ? QCoreApplication::translate("bitmap", "it is a folder, not a file")
                            : QCoreApplication::translate("bitmap", "it is not a regular file"));
    }
    // A regular file's length is never negative.
    length = static_cast<std::uint64_t>(status.st_size);
}

bitmap_file::~bitmap_file()
{
    close(fd);
}

std::size_t bitmap_file::read_at(std::uint64_t offset, std::uint8_t* to, std::size_t count)
{
    std::size_t done = 0;
    // The codec reads inside the file's length, below 2^63, and in pieces below 2^35:
    // offset + done cannot wrap, and off_t holds it.
    constexpr auto largest_offset = static_cast<std::uint64_t>(std::numeric_limits<off_t>::max());
    while (done < count && offset + done <= largest_offset) {
        const ssize_t got = pread(fd, to + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            raise_system_error(errno);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}
