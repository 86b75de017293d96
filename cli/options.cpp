#include "options.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cmath>

namespace {

const QCommandLineOption modeOption({"m", "mode"}, "display mode", "N");
const QCommandLineOption scaleOption({"s", "scale"}, "scale", "S");
const QCommandLineOption npyOption("npy", "spectrum file", "FILE");
const QCommandLineOption maxPixelsOption("max-pixels", "largest padded area", "N");
const QCommandLineOption helpOption({"h", "help"}, "help");
const QCommandLineOption versionOption({"v", "version"}, "version");

int parse_mode(const QString& text)
{
    bool ok = false;
    const int mode = text.toInt(&ok);
    if (!ok || mode < 0 || mode > 3) {
        throw UsageError(
            QCoreApplication::translate("widmo-cli", "--mode takes 0, 1, 2 or 3, not '%1'")
                .arg(text)
                .toStdString());
    }
    return mode;
}

double parse_scale(const QString& text)
{
    bool ok = false;
    const double scale = text.toDouble(&ok);
    if (!ok || !std::isfinite(scale)) {
        throw UsageError(
            QCoreApplication::translate("widmo-cli", "--scale takes a finite number, not '%1'")
                .arg(text)
                .toStdString());
    }
    return scale;
}

std::uint64_t parse_max_pixels(const QString& text)
{
    bool ok = false;
    const qulonglong pixels = text.toULongLong(&ok);
    if (!ok || pixels == 0) {
        throw UsageError(
            QCoreApplication::translate(
                "widmo-cli", "--max-pixels takes a whole number of pixels above 0, not '%1'")
                .arg(text)
                .toStdString());
    }
    return pixels;
}

void read_file_names(const QStringList& names, CliOptions& options)
{
    if (names.size() != 2) {
        throw UsageError(QCoreApplication::translate(
                             "widmo-cli", "expected INPUT.bmp and OUTPUT.bmp, got %1 file names")
                             .arg(names.size())
                             .toStdString());
    }
    options.input = names[0];
    options.output = names[1];
}

} // namespace

CliOptions ParseOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.addOptions(
        {modeOption, scaleOption, npyOption, maxPixelsOption, helpOption, versionOption});
    if (!parser.parse(arguments)) {
        throw UsageError(parser.errorText().toStdString());
    }
    CliOptions options;
    options.help = parser.isSet(helpOption);
    options.version = parser.isSet(versionOption);
    if (parser.isSet(modeOption)) {
        options.mode = parse_mode(parser.value(modeOption));
    }
    if (parser.isSet(scaleOption)) {
        options.scale = parse_scale(parser.value(scaleOption));
    }
    if (parser.isSet(maxPixelsOption)) {
        options.maxPixels = parse_max_pixels(parser.value(maxPixelsOption));
    }
    options.npy = parser.value(npyOption);
    if (!options.help && !options.version) {
        read_file_names(parser.positionalArguments(), options);
    }
    return options;
}

QString UsageText()
{
    return QCoreApplication::translate(
        "widmo-cli",
        "Usage: widmo-cli [options] INPUT.bmp OUTPUT.bmp\n"
        "Writes the centred Fourier spectrum of a BMP picture as an 8-bit grey BMP.\n"
        "\n"
        "Options:\n"
        "  -m, --mode N    how a frequency becomes a grey level (default 2):\n"
        "                  0 real part, 1 imaginary part (both wrap modulo 256),\n"
        "                  2 amplitude, 3 power (both stop at 255)\n"
        "  -s, --scale S   factor applied before the grey level is taken (default 0.001)\n"
        "  --npy FILE      also write the centred complex spectrum as a NumPy file\n"
        "                  (complex128, rows x columns, C order)\n"
        "  --max-pixels N  refuse a picture whose sides, each raised to the power of\n"
        "                  two at or above it, span more than N pixels; checked\n"
        "                  before its pixels are read (default: no cap, the memory\n"
        "                  decides)\n"
        "  -h, --help      show this text\n"
        "  -v, --version   show the version\n"
        "\n"
        "OUTPUT and the --npy file must not be the input or each other, under any\n"
        "name or link; an existing one must be a regular file, which is replaced\n"
        "only when the new one is complete.\n"
        "\n"
        "Exit status: 0 done; 1 nothing written (bad arguments, unreadable input,\n"
        "unwritable output); 2 written, after the computation showed a message.\n");
}
