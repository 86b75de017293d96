#include "input_list.h"

#include "options.h"

#include "file_name.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace {

[[noreturn]] void refuse_list(const QString& source, const QString& reason)
{
    throw std::runtime_error(QCoreApplication::translate("widmo-cli", "--files-from %1: %2")
                                 .arg(shown_name(source), reason)
                                 .toStdString());
}

bool open_list(QFile& file, const QString& source)
{
    if (source == standard_stream) {
        return file.open(STDIN_FILENO, QIODevice::ReadOnly);
    }
    return open_for_reading(file, source);
}

// The whole list, read in pieces so that no more than one byte past the bound is taken.
QByteArray list_bytes(const QString& source)
{
    QFile file;
    if (!open_list(file, source)) {
        refuse_list(source, qt_error_string(errno));
    }
    constexpr std::int64_t piece = std::int64_t{1} << 20;
    QByteArray bytes;
    while (bytes.size() <= largest_list) {
        const QByteArray more = file.read(std::min<qint64>(piece, largest_list + 1 - bytes.size()));
        if (more.isEmpty()) {
            break;
        }
        bytes += more;
    }
    if (file.error() != QFileDevice::NoError) {
        refuse_list(source, file.errorString());
    }
    if (bytes.size() > largest_list) {
        refuse_list(source,
                    QCoreApplication::translate("widmo-cli", "the list is larger than %1 MiB")
                        .arg(largest_list >> 20));
    }
    return bytes;
}

// Why `name`, the `number`th of its list and `decoded` as a text, is no file name; empty
// when it is one.
QString fault_of(const QByteArray& name, const QString& decoded, qsizetype number)
{
    if (name.isEmpty()) {
        return QCoreApplication::translate("widmo-cli", "name %1 is empty").arg(number);
    }
    if (name.size() > longest_listed_name) {
        return QCoreApplication::translate("widmo-cli", "name %1 is longer than %2 bytes")
            .arg(number)
            .arg(longest_listed_name);
    }
    if (name.contains('\0')) {
        return QCoreApplication::translate("widmo-cli",
                                           "name %1 holds a NUL byte (are the names apart by "
                                           "NUL bytes? then give --null)")
            .arg(number);
    }
    if (QFile::encodeName(decoded) != name) {
        return QCoreApplication::translate("widmo-cli",
                                           "name %1 is no valid name in the system's encoding")
            .arg(number);
    }
    return {};
}

} // namespace

QStringList read_input_list(const QString& source, bool null_separated)
{
    const char end = null_separated ? '\0' : '\n';
    QByteArray bytes = list_bytes(source);
    QStringList names;
    if (bytes.isEmpty()) {
        return names;
    }
    if (bytes.endsWith(end)) {
        bytes.chop(1);
    }
    for (const QByteArray& name : bytes.split(end)) {
        const QString decoded = QFile::decodeName(name);
        if (const QString fault = fault_of(name, decoded, names.size() + 1); !fault.isEmpty()) {
            refuse_list(source, fault);
        }
        names << decoded;
    }
    return names;
}
