#include "file_name.h"

#include <QFile>

#include <fcntl.h>

#include <cstdint>

namespace {

constexpr char16_t first_escaped_byte = 0xdc80;

bool is_escaped_byte(QChar c)
{
    return c.unicode() >= first_escaped_byte && c.unicode() <= 0xdcff;
}

bool is_continuation(std::uint8_t byte)
{
    return (byte & 0xc0) == 0x80;
}

// The length of the well-formed UTF-8 sequence that starts at `at`, 0 when there is none
// (a stray byte, a cut sequence, an overlong form, a surrogate, past U+10FFFF).
qsizetype sequence_length(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype k) { return static_cast<std::uint8_t>(bytes[at + k]); };
    const std::uint8_t lead = byte(0);
    const qsizetype length = lead < 0x80   ? 1
                             : lead < 0xc2 ? 0
                             : lead < 0xe0 ? 2
                             : lead < 0xf0 ? 3
                             : lead < 0xf5 ? 4
                                           : 0;
    if (length == 0 || at + length > bytes.size()) {
        return 0;
    }
    for (qsizetype k = 1; k < length; ++k) {
        if (!is_continuation(byte(k))) {
            return 0;
        }
    }
    // The second byte's range that rules out overlong forms, surrogates and values past
    // U+10FFFF.
    const std::uint8_t second = length > 1 ? byte(1) : 0x80;
    const bool in_range = (lead != 0xe0 || second >= 0xa0) && (lead != 0xed || second < 0xa0) &&
                          (lead != 0xf0 || second >= 0x90) && (lead != 0xf4 || second < 0x90);
    return in_range ? length : 0;
}

QString escaped_code(const char* prefix, uint value, int digits)
{
    return QLatin1String(prefix) +
           QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

bool is_hidden(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

QString shown_character(char32_t c)
{
    switch (c) {
    case '\n':
        return QStringLiteral("\\n");
    case '\t':
        return QStringLiteral("\\t");
    case '\r':
        return QStringLiteral("\\r");
    default:
        return escaped_code("\\u{", c, 4) + QLatin1Char('}');
    }
}

} // namespace

QString file_name_from_bytes(QByteArrayView bytes)
{
    QString name;
    name.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype length = sequence_length(bytes, at);
        if (length == 0) {
            name.append(QChar(first_escaped_byte - 0x80 + static_cast<std::uint8_t>(bytes[at])));
            ++at;
        } else {
            name.append(QString::fromUtf8(bytes.sliced(at, length)));
            at += length;
        }
    }
    return name;
}

QByteArray file_name_bytes(const QString& name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype text_start = 0;
    for (qsizetype k = 0; k <= name.size(); ++k) {
        const bool escaped = k < name.size() && is_escaped_byte(name[k]) &&
                             (k == 0 || !name[k - 1].isHighSurrogate());
        if (k == name.size() || escaped) {
            bytes.append(QStringView(name).sliced(text_start, k - text_start).toUtf8());
            text_start = k + 1;
        }
        if (escaped) {
            bytes.append(static_cast<char>(name[k].unicode() - first_escaped_byte + 0x80));
        }
    }
    return bytes;
}

QString shown_name(const QString& name)
{
    QString shown;
    shown.reserve(name.size());
    for (qsizetype k = 0; k < name.size(); ++k) {
        const QChar c = name[k];
        if (c.isHighSurrogate() && k + 1 < name.size() && name[k + 1].isLowSurrogate()) {
            shown.append(c).append(name[++k]);
        } else if (is_escaped_byte(c)) {
            shown.append(escaped_code("\\x", c.unicode() - first_escaped_byte + 0x80, 2));
        } else if (is_hidden(c.unicode()) || c.isSurrogate()) {
            shown.append(shown_character(c.unicode()));
        } else {
            shown.append(c);
        }
    }
    return shown;
}

bool open_for_reading(QFile& file, const QString& file_name)
{
    const int fd = ::open(file_name_bytes(file_name).constData(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    return fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
}
