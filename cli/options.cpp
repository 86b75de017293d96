#include "options.h"

#include "option_table.h"

#include "file_name.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cmath>
#include <map>

namespace {

[[noreturn]] void refuse(const QString& text)
{
    throw usage_error(text.toStdString());
}

// The parser of the option table. --npy takes a FILE in a single run and none in a batch,
// so there are two parsers, told apart by `npy_takes_file`.
class option_parser
{
public:
    explicit option_parser(bool npy_takes_file)
    {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
        for (const option_definition& definition : option_table()) {
            const bool takes_value = !definition.value_name.isEmpty() &&
                                     (definition.option != cli_option::npy || npy_takes_file);
            const QCommandLineOption option(definition.names, cli_text(definition.description),
                                            takes_value ? definition.value_name : QString());
            parser.addOption(option);
            options.emplace(definition.option, option);
        }
    }

    bool parse(const QStringList& arguments) { return parser.parse(arguments); }
    QString error() const { return parser.errorText(); }
    bool is_set(cli_option option) const { return parser.isSet(options.at(option)); }
    QString value(cli_option option) const { return parser.value(options.at(option)); }
    QStringList files() const { return parser.positionalArguments(); }

private:
    QCommandLineParser parser;
    std::map<cli_option, QCommandLineOption> options;
};

spectrum_display parse_display(const QString& text)
{
    if (const auto named = display_named(text.toStdString())) {
        return *named;
    }
    bool number = false;
    if (const auto numbered = display_numbered(text.toInt(&number)); number && numbered) {
        return *numbered;
    }
    refuse(QCoreApplication::translate("widmo-cli", "--mode takes %1, not '%2'")
               .arg(display_choices(), shown_name(text)));
}

double parse_scale(const QString& text)
{
    bool ok = false;
    const double scale = text.toDouble(&ok);
    if (!ok || !std::isfinite(scale)) {
        refuse(QCoreApplication::translate("widmo-cli", "--scale takes a finite number, not '%1'")
                   .arg(shown_name(text)));
    }
    return scale;
}

std::uint64_t parse_max_pixels(const QString& text)
{
    bool ok = false;
    const qulonglong pixels = text.toULongLong(&ok);
    if (!ok || pixels == 0) {
        refuse(QCoreApplication::translate(
                   "widmo-cli", "--max-pixels takes a whole number of pixels above 0, not '%1'")
                   .arg(shown_name(text)));
    }
    return pixels;
}

template <typename Value, std::size_t count>
Value parse_named(const value_names<Value, count>& names, const QString& option,
                  const QString& text)
{
    if (const auto value = value_named(names, text)) {
        return *value;
    }
    refuse(QCoreApplication::translate("widmo-cli", "%1 takes %2, not '%3'")
               .arg(option, name_list(names), shown_name(text)));
}

void read_settings(const option_parser& parser, cli_options& options)
{
    spectrum_settings& spectrum = options.spectrum;
    if (parser.is_set(cli_option::mode)) {
        spectrum.display.shown = parse_display(parser.value(cli_option::mode));
    }
    if (parser.is_set(cli_option::scale)) {
        spectrum.display.scale = parse_scale(parser.value(cli_option::scale));
    }
    if (parser.is_set(cli_option::window)) {
        spectrum.sampling.window =
            parse_named(window_names, QStringLiteral("--window"), parser.value(cli_option::window));
    }
    if (parser.is_set(cli_option::pad)) {
        spectrum.sampling.padding =
            parse_named(padding_names, QStringLiteral("--pad"), parser.value(cli_option::pad));
    }
    if (parser.is_set(cli_option::format)) {
        options.format = parse_named(picture_format_names, QStringLiteral("--format"),
                                     parser.value(cli_option::format));
    }
    if (parser.is_set(cli_option::max_pixels)) {
        options.max_pixels = parse_max_pixels(parser.value(cli_option::max_pixels));
    }
}

// The format of a named OUTPUT is its extension's, which --format may repeat but not
// contradict.
picture_format output_format(const QString& output, const option_parser& parser,
                             picture_format asked)
{
    if (output == standard_stream) {
        return asked;
    }
    const auto format = format_of_file_name(output);
    if (!format) {
        refuse(
            QCoreApplication::translate("widmo-cli", "OUTPUT %1 does not end in .bmp, .png or .pgm")
                .arg(shown_name(output)));
    }
    if (parser.is_set(cli_option::format) && *format != asked) {
        refuse(
            QCoreApplication::translate("widmo-cli", "--format %1 is not the format of OUTPUT %2")
                .arg(extension_of(asked), shown_name(output)));
    }
    return *format;
}

void read_single_run(const option_parser& parser, cli_options& options)
{
    const QStringList files = parser.files();
    if (files.size() != 2) {
        refuse(QCoreApplication::translate("widmo-cli",
                                           "expected two file names, INPUT and OUTPUT, not %1")
                   .arg(files.size()));
    }
    options.inputs = {files[0]};
    options.output = files[1];
    options.format = output_format(options.output, parser, options.format);
    options.npy_file = parser.value(cli_option::npy);
    if (parser.is_set(cli_option::npy) && options.npy_file.isEmpty()) {
        refuse(
            QCoreApplication::translate("widmo-cli", "--npy takes a file name, not an empty one"));
    }
    if (options.npy_file == standard_stream) {
        refuse(QCoreApplication::translate("widmo-cli", "--npy cannot write to standard output"));
    }
}

void read_batch(const option_parser& parser, cli_options& options)
{
    options.output_dir = parser.value(cli_option::output_dir);
    options.inputs = parser.files();
    if (options.output_dir.isEmpty()) {
        refuse(QCoreApplication::translate("widmo-cli",
                                           "--output-dir takes a folder name, not an empty one"));
    }
    options.npy_beside = parser.is_set(cli_option::npy);
    if (options.inputs.isEmpty()) {
        refuse(QCoreApplication::translate("widmo-cli", "--output-dir needs at least one INPUT"));
    }
    if (options.inputs.contains(standard_stream)) {
        refuse(
            QCoreApplication::translate("widmo-cli", "--output-dir does not read standard input"));
    }
}

// A batch's --npy takes no file, so a command line is read as a batch first.
void parse_into(option_parser& batch, option_parser& single, const QStringList& arguments)
{
    if (batch.parse(arguments) && batch.is_set(cli_option::output_dir)) {
        return;
    }
    if (!single.parse(arguments)) {
        refuse(shown_name(single.error()));
    }
    if (single.is_set(cli_option::output_dir) && single.is_set(cli_option::npy)) {
        refuse(QCoreApplication::translate(
            "widmo-cli", "with --output-dir, --npy takes no file: DIR/NAME.npy is written"));
    }
}

} // namespace

cli_options parse_options(const QStringList& arguments)
{
    option_parser batch(false);
    option_parser single(true);
    parse_into(batch, single, arguments);
    const bool is_batch = batch.is_set(cli_option::output_dir);
    const option_parser& parser = is_batch ? batch : single;
    cli_options options;
    options.help = parser.is_set(cli_option::help);
    options.version = parser.is_set(cli_option::version);
    options.quiet = parser.is_set(cli_option::quiet);
    if (options.help || options.version) {
        return options;
    }
    read_settings(parser, options);
    if (is_batch) {
        read_batch(parser, options);
    } else {
        read_single_run(parser, options);
    }
    return options;
}
