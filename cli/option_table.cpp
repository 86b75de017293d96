#include "option_table.h"

#include "input_list.h"
#include "options.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace {

constexpr int help_width = 80;
constexpr int description_column = 26;

QStringList input_list_paragraphs()
{
    return {QCoreApplication::translate(
                "widmo-cli", "An empty name, a name longer than %1 bytes or not valid in the "
                             "system's encoding, or a list larger than %2 MiB is refused before "
                             "anything is written.")
                .arg(longest_listed_name)
                .arg(largest_list >> 20)};
}

std::vector<option_definition> make_option_table()
{
    const QString none;
    return {
        {cli_option::mode,
         {"m", "mode"},
         "MODE",
         QT_TRANSLATE_NOOP(
             "widmo-cli",
             "How an element X = re + i im of the spectrum becomes a grey level, with the "
             "scale s:"),
         QString::fromLatin1(display_name(default_display.shown)),
         display_paragraphs},
        {cli_option::scale,
         {"s", "scale"},
         "S",
         QT_TRANSLATE_NOOP("widmo-cli",
                           "The factor s of the displays that take one (see --mode), any "
                           "finite number."),
         QString::number(default_display.scale)},
        {cli_option::window,
         {"w", "window"},
         "WINDOW",
         QT_TRANSLATE_NOOP("widmo-cli",
                           "What multiplies each sample (x, y) of the picture before the "
                           "transform: none, or hann, w(y) w(x) with w(n) = 0.5 - 0.5 cos(2 pi n "
                           "/ (N - 1)) over the picture's own height and width N (not the "
                           "padded ones), and w = 1 for a side of 1."),
         name_of(window_names, default_sampling.window)},
        {cli_option::pad,
         {"p", "pad"},
         "PAD",
         QT_TRANSLATE_NOOP("widmo-cli",
                           "What fills the picture up to sides that are powers of two: zero, or "
                           "mean, the mean of the picture's samples (after the window, when "
                           "both are given)."),
         name_of(padding_names, default_sampling.padding)},
        {cli_option::format,
         {"f", "format"},
         "FORMAT",
         QT_TRANSLATE_NOOP("widmo-cli",
                           "bmp, png or pgm: the format of a picture written to standard output "
                           "(OUTPUT -) or into DIR. A named OUTPUT is written in the format its "
                           "extension names."),
         name_of(picture_format_names, default_format)},
        {cli_option::output_dir,
         {"o", "output-dir"},
         "DIR",
         QT_TRANSLATE_NOOP("widmo-cli",
                           "Work on every INPUT in turn and write DIR/NAME.FORMAT for each, NAME "
                           "being the input's file name without its extension; the folder is "
                           "made when it is missing."),
         none},
        {cli_option::npy,
         {"npy"},
         "FILE",
         QT_TRANSLATE_NOOP("widmo-cli",
                           "Also write the centred complex spectrum of INPUT to FILE as a NumPy "
                           "file: complex128, the padded rows x columns, C order, the sign of its "
                           "exponent as under \"The transform\" below. Without OUTPUT, FILE is "
                           "the only file written. One picture only: a batch takes --npy-beside."),
         none},
        {cli_option::npy_beside,
         {"npy-beside"},
         none,
         QT_TRANSLATE_NOOP("widmo-cli",
                           "With --output-dir, also write DIR/NAME.npy, the --npy file of each "
                           "INPUT, beside its picture."),
         none},
        {cli_option::no_picture,
         {"no-picture"},
         none,
         QT_TRANSLATE_NOOP("widmo-cli",
                           "Write no spectrum picture, only the NumPy files: a single run then "
                           "takes INPUT and --npy FILE and no OUTPUT (as it does without this "
                           "option), a batch takes --npy-beside."),
         none},
        {cli_option::files_from,
         {"files-from"},
         "LIST",
         QT_TRANSLATE_NOOP(
             "widmo-cli",
             "With --output-dir, also work on every file named in the file LIST (- for standard "
             "input), one name a line, after any INPUT given. Names are taken byte for byte: "
             "spaces belong to them. A list that names no file is a batch of nothing."),
         none,
         input_list_paragraphs},
        {cli_option::null_separated,
         {"0", "null"},
         none,
         QT_TRANSLATE_NOOP("widmo-cli",
                           "The names in LIST end in a NUL byte instead of a newline, as find "
                           "-print0 writes them; they may then hold newlines."),
         none},
        {cli_option::max_pixels,
         {"max-pixels"},
         "N",
         QT_TRANSLATE_NOOP("widmo-cli",
                           "Refuse a picture whose sides, each raised to the power of two at or "
                           "above it, span more than N pixels; checked from its header, before "
                           "its pixels are read."),
         QT_TRANSLATE_NOOP("widmo-cli", "no cap, the memory decides")},
        {cli_option::quiet,
         {"q", "quiet"},
         none,
         QT_TRANSLATE_NOOP("widmo-cli", "Print nothing but errors."),
         none},
        {cli_option::help,
         {"h", "help"},
         none,
         QT_TRANSLATE_NOOP("widmo-cli", "Show this text."),
         none},
        {cli_option::version,
         {"v", "version"},
         none,
         QT_TRANSLATE_NOOP("widmo-cli", "Show the version."),
         none},
    };
}

// Words of `text` on lines of at most `width` columns, each after `indent` spaces but the
// first, which continues a line already `first` columns long.
QString wrapped(const QString& text, int first, int indent, int width)
{
    QString lines;
    int column = first;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        const bool starts_line = column == first && lines.isEmpty();
        if (!starts_line && column + 1 + word.size() > width) {
            lines += '\n' + QString(indent, ' ');
            column = indent;
        } else if (!starts_line) {
            lines += ' ';
            ++column;
        }
        lines += word;
        column += static_cast<int>(word.size());
    }
    return lines;
}

QString option_names(const option_definition& definition, const QString& dash)
{
    QStringList names;
    for (const QString& name : definition.names) {
        names << (name.size() == 1 ? dash : dash + dash) + name;
    }
    return names.join(QStringLiteral(", "));
}

QString default_line(const option_definition& definition)
{
    return QCoreApplication::translate("widmo-cli", "Default: %1.")
        .arg(cli_text(definition.default_value.toUtf8().constData()));
}

// The description's paragraphs, translated, and its default.
QStringList paragraphs_of(const option_definition& definition)
{
    QStringList paragraphs = cli_text(definition.description).split('\n');
    if (definition.more_paragraphs != nullptr) {
        paragraphs << definition.more_paragraphs();
    }
    if (!definition.default_value.isEmpty()) {
        paragraphs << default_line(definition);
    }
    return paragraphs;
}

QString help_entry(const option_definition& definition)
{
    QString head =
        (definition.names.first().size() == 1 ? QStringLiteral("  ") : QStringLiteral("      ")) +
        option_names(definition, QStringLiteral("-"));
    if (!definition.value_name.isEmpty()) {
        head += ' ' + definition.value_name;
    }
    QString entry = head;
    int column = static_cast<int>(head.size());
    for (const QString& paragraph : paragraphs_of(definition)) {
        if (column + 2 > description_column) {
            entry += '\n';
            column = 0;
        }
        entry += QString(description_column - column, ' ') +
                 wrapped(paragraph, description_column, description_column, help_width);
        column = help_width;
    }
    return entry + '\n';
}

// Text as roff shows it: backslashes and hyphens escaped, no line taken for a request.
QString roff(const QString& text)
{
    QString escaped = text;
    escaped.replace('\\', QStringLiteral("\\e")).replace('-', QStringLiteral("\\-"));
    if (escaped.startsWith('.') || escaped.startsWith('\'')) {
        escaped.prepend(QStringLiteral("\\&"));
    }
    return escaped;
}

QString roff_paragraphs(const QStringList& paragraphs)
{
    QStringList lines;
    for (const QString& paragraph : paragraphs) {
        lines << roff(paragraph);
    }
    return lines.join(QStringLiteral("\n.br\n")) + '\n';
}

QString manual_entry(const option_definition& definition)
{
    QStringList names;
    for (const QString& name : option_names(definition, QStringLiteral("-")).split(", ")) {
        names << "\\fB" + roff(name) + "\\fR";
    }
    QString head = names.join(QStringLiteral(", "));
    if (!definition.value_name.isEmpty()) {
        head += " \\fI" + definition.value_name + "\\fR";
    }
    return ".TP\n" + head + '\n' + roff_paragraphs(paragraphs_of(definition));
}

QString manual_section(const char* heading, const help_section& section)
{
    const QString title = cli_text(section.title);
    return heading + roff(section.describes ? title : title.toUpper()) + '\n' +
           roff_paragraphs(cli_text(section.body).split('\n'));
}

} // namespace

const std::vector<option_definition>& option_table()
{
    static const std::vector<option_definition> table = make_option_table();
    return table;
}

QStringList display_paragraphs()
{
    QStringList paragraphs;
    for (const display_entry& entry : display_table) {
        const QString description = QCoreApplication::translate("display", entry.description);
        const QString name = QString::fromLatin1(entry.name);
        paragraphs << (entry.number < 0
                           ? QStringLiteral("%1: %2").arg(name, description)
                           : QCoreApplication::translate("widmo-cli", "%1 or %2: %3")
                                 .arg(name, QString::number(entry.number), description));
    }
    return paragraphs;
}

QString display_choices()
{
    QStringList names;
    int lowest = std::numeric_limits<int>::max();
    int highest = -1;
    for (const display_entry& entry : display_table) {
        names << QString::fromLatin1(entry.name);
        if (entry.number >= 0) {
            lowest = std::min(lowest, entry.number);
            highest = std::max(highest, entry.number);
        }
    }
    return QCoreApplication::translate("widmo-cli", "%1 or %2 to %3")
        .arg(names.join(QStringLiteral(", ")), QString::number(lowest), QString::number(highest));
}

QString cli_text(const char* source)
{
    return QCoreApplication::translate("widmo-cli", source);
}

QStringList usage_lines()
{
    return {
        QCoreApplication::translate("widmo-cli", "widmo-cli [options] INPUT OUTPUT"),
        QCoreApplication::translate("widmo-cli", "widmo-cli [options] --npy FILE INPUT [OUTPUT]"),
        QCoreApplication::translate("widmo-cli", "widmo-cli [options] --output-dir DIR INPUT..."),
        QCoreApplication::translate("widmo-cli",
                                    "widmo-cli [options] --output-dir DIR --files-from LIST")};
}

QString summary_text()
{
    return QCoreApplication::translate(
        "widmo-cli", "Writes the centred Fourier spectrum of a picture as an 8-bit grey picture.");
}

const std::vector<help_section>& help_sections()
{
    static const std::vector<help_section> sections = {
        {QT_TRANSLATE_NOOP("widmo-cli", "Pictures"),
         QT_TRANSLATE_NOOP(
             "widmo-cli",
             "INPUT is a BMP file, or any picture the installed Qt image plugins read (PNG, "
             "JPEG, PBM/PGM/PPM, GIF, and TIFF and WebP with qt6-image-formats-plugins), told "
             "apart by its content, not its name. It is reduced to one grey level per pixel, "
             "(299 R + 587 G + 114 B + 500) / 1000 of its colour, sampled, padded to sides that "
             "are powers of two, transformed, and its zero frequency moved to the middle. "
             "INPUT - reads standard input.\n"
             "OUTPUT ends in .bmp, .png or .pgm, and any other ending is refused before "
             "anything is read. OUTPUT - writes standard output in the --format; every message "
             "then goes to standard error.\n"
             "No output may be the input or another output, under any name or link; an "
             "existing one must be a regular file, and it is replaced only once the new one is "
             "complete."),
         true},
        {QT_TRANSLATE_NOOP("widmo-cli", "Batches"),
         QT_TRANSLATE_NOOP(
             "widmo-cli",
             "With --output-dir, an input that fails is named on standard error with the "
             "reason, and the others are still written. While it runs, a progress line such "
             "as \"12/200 photo.bmp\" is shown on standard error when that is a terminal, "
             "unless --quiet is given."),
         true},
        {QT_TRANSLATE_NOOP("widmo-cli", "The transform"),
         QT_TRANSLATE_NOOP(
             "widmo-cli",
             "The spectrum of the padded samples f(y, x), H rows by W columns with row 0 at the "
             "top of the picture, is F(u, v) = sum over y and x of f(y, x) exp(+2 pi i (u y / H "
             "+ v x / W)): the exponent is positive and nothing is scaled. That is the complex "
             "conjugate of NumPy's fft2, so every phase is mirrored against NumPy's. Element "
             "(r, c) of the --npy file is F(r - H/2, c - W/2). With --window none and --pad "
             "zero, the defaults, it is, for the grey levels img as a NumPy array:\n"
             "np.conj(np.fft.fftshift(np.fft.fft2(img, s=(H, W))))"),
         true},
        {QT_TRANSLATE_NOOP("widmo-cli", "Exit status"),
         QT_TRANSLATE_NOOP(
             "widmo-cli",
             "0: everything was written.\n"
             "1: bad arguments, or an input that could not be read or an output that could not "
             "be written: nothing was written for it, and with --output-dir the other inputs "
             "were.\n"
             "2: everything was written, after the computation showed a message (\"Nie udalo "
             "sie !\" or \"Blad\") on standard error.")},
        {QT_TRANSLATE_NOOP("widmo-cli", "Environment"),
         QT_TRANSLATE_NOOP(
             "widmo-cli",
             "WIDMO_THREADS=N (1 to 64) shares the work among N threads; without it, one per "
             "processor. WIDMO_KERNEL=scalar, avx2 or avx512 picks the transform's "
             "instructions. Neither changes an output.")},
    };
    return sections;
}

const std::vector<usage_example>& usage_examples()
{
    static const std::vector<usage_example> examples = {
        {"widmo-cli photo.jpg spectrum.bmp",
         QT_TRANSLATE_NOOP("widmo-cli",
                           "The spectrum as the window paints it: the amplitude at the scale "
                           "0.001.")},
        {"widmo-cli --mode log --window hann photo.jpg spectrum.png",
         QT_TRANSLATE_NOOP("widmo-cli",
                           "The logarithmic display of the windowed picture, as a PNG file: on a "
                           "photograph, the picture most people want.")},
        {"widmo-cli --npy spectrum.npy photo.jpg",
         QT_TRANSLATE_NOOP("widmo-cli",
                           "Only the complex spectrum, for numpy.load(\"spectrum.npy\").")},
        {"widmo-cli -m log -o spectra --npy-beside photos/*.jpg",
         QT_TRANSLATE_NOOP("widmo-cli",
                           "spectra/NAME.bmp and spectra/NAME.npy for every photograph.")},
        {"find photos -type f -print0 | widmo-cli -o spectra --files-from - -0",
         QT_TRANSLATE_NOOP("widmo-cli",
                           "A batch too large for one command line, with the names find gives.")},
    };
    return examples;
}

QString usage_text()
{
    const QString usage = QCoreApplication::translate("widmo-cli", "Usage:");
    QString text;
    for (const QString& line : usage_lines()) {
        text += (text.isEmpty() ? usage : QString(usage.size(), ' ')) + ' ' + line + '\n';
    }
    text += summary_text() + "\n\n" + QCoreApplication::translate("widmo-cli", "Options:") + '\n';
    for (const option_definition& definition : option_table()) {
        text += help_entry(definition);
    }
    for (const help_section& section : help_sections()) {
        text += '\n' + cli_text(section.title) + ":\n";
        for (const QString& paragraph : cli_text(section.body).split('\n')) {
            text += "  " + wrapped(paragraph, 2, 2, help_width) + '\n';
        }
    }
    text += '\n' + QCoreApplication::translate("widmo-cli", "Examples") + ":\n";
    for (const usage_example& example : usage_examples()) {
        text += QStringLiteral("  ") + example.command + "\n      " +
                wrapped(cli_text(example.meaning), 6, 6, help_width) + '\n';
    }
    return text;
}

QString manual_page(const QString& version)
{
    QString page = ".TH WIDMO\\-CLI 1 \"\" \"widmo\\-cli " + roff(version) +
                   "\" \"User Commands\"\n.SH NAME\nwidmo\\-cli \\- " +
                   roff(QCoreApplication::translate(
                       "widmo-cli", "centred Fourier spectrum of a picture as a grey picture")) +
                   "\n.SH SYNOPSIS\n";
    QStringList synopsis;
    for (const QString& line : usage_lines()) {
        synopsis << roff(line);
    }
    page += synopsis.join(QStringLiteral("\n.br\n")) + "\n.SH DESCRIPTION\n" +
            roff(summary_text()) + '\n';
    for (const help_section& section : help_sections()) {
        if (section.describes) {
            page += manual_section(".SS ", section);
        }
    }
    page += ".SH OPTIONS\n";
    for (const option_definition& definition : option_table()) {
        page += manual_entry(definition);
    }
    for (const help_section& section : help_sections()) {
        if (!section.describes) {
            page += manual_section(".SH ", section);
        }
    }
    page += ".SH " + roff(QCoreApplication::translate("widmo-cli", "Examples").toUpper()) + '\n';
    for (const usage_example& example : usage_examples()) {
        page += ".TP\n\\fB" + roff(QString::fromUtf8(example.command)) + "\\fR\n" +
                roff(cli_text(example.meaning)) + '\n';
    }
    return page + ".SH SEE ALSO\n\\fBwidmo\\fR(1)\n";
}
