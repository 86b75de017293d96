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

// The parser of the option table.
class option_parser
{
public:
    option_parser()
    {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
        for (const option_definition& definition : option_table()) {
            const QCommandLineOption option(definition.names, cli_text(definition.description),
                                            definition.value_name);
            parser.addOption(option);
            options.emplace(definition.option, option);
        }
    }

    void parse(const QStringList& arguments)
    {
        if (!parser.parse(arguments)) {
            refuse(shown_name(parser.errorText()));
        }
    }
    bool is_set(cli_option option) const { return parser.isSet(options.at(option)); }
    QString value(cli_option option) const { return parser.value(options.at(option)); }
    QStringList files() const { return parser.positionalArguments(); }

private:
    QCommandLineParser parser;
    std::map<cli_option, QCommandLineOption> options;
};

// Refuses `option` when it is given: it belongs to the other kind of run.
void refuse_if_set(const option_parser& parser, cli_option option, const char* reason)
{
    if (parser.is_set(option)) {
        refuse(QCoreApplication::translate("widmo-cli", reason));
    }
}

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

[[noreturn]] void refuse_nothing_to_write()
{
    refuse(QCoreApplication::translate("widmo-cli",
                                       "--no-picture leaves nothing to write without --npy FILE "
                                       "(one picture) or --npy-beside (--output-dir)"));
}

// INPUT and OUTPUT, or INPUT alone when only the --npy file is asked for.
void read_single_run(const option_parser& parser, cli_options& options)
{
    refuse_if_set(
        parser, cli_option::npy_beside,
        QT_TRANSLATE_NOOP("widmo-cli",
                          "--npy-beside needs --output-dir; one picture takes --npy FILE"));
    refuse_if_set(parser, cli_option::files_from,
                  QT_TRANSLATE_NOOP("widmo-cli", "--files-from needs --output-dir"));
    options.npy_file = parser.value(cli_option::npy);
    if (parser.is_set(cli_option::npy) && options.npy_file.isEmpty()) {
        refuse(
            QCoreApplication::translate("widmo-cli", "--npy takes a file name, not an empty one"));
    }
    if (options.npy_file == standard_stream) {
        refuse(QCoreApplication::translate("widmo-cli", "--npy cannot write to standard output"));
    }
    const QStringList files = parser.files();
    const bool picture =
        !parser.is_set(cli_option::no_picture) && (files.size() != 1 || options.npy_file.isEmpty());
    if (!picture && options.npy_file.isEmpty()) {
        refuse_nothing_to_write();
    }
    if (files.size() != (picture ? 2 : 1)) {
        refuse(picture
                   ? QCoreApplication::translate(
                         "widmo-cli", "expected two file names, INPUT and OUTPUT, not %1")
                         .arg(files.size())
                   : QCoreApplication::translate(
                         "widmo-cli", "with --no-picture, expected INPUT and --npy FILE alone"));
    }
    options.inputs = {files[0]};
    if (picture) {
        options.output = files[1];
        options.format = output_format(options.output, parser, options.format);
    }
}

void read_batch(const option_parser& parser, cli_options& options)
{
    refuse_if_set(parser, cli_option::npy,
                  QT_TRANSLATE_NOOP("widmo-cli", "with --output-dir, --npy-beside writes "
                                                 "DIR/NAME.npy; --npy FILE is for one picture"));
    options.output_dir = parser.value(cli_option::output_dir);
    options.inputs = parser.files();
    if (options.output_dir.isEmpty()) {
        refuse(QCoreApplication::translate("widmo-cli",
                                           "--output-dir takes a folder name, not an empty one"));
    }
    options.npy_beside = parser.is_set(cli_option::npy_beside);
    options.picture = !parser.is_set(cli_option::no_picture);
    options.input_list = parser.value(cli_option::files_from);
    options.null_separated = parser.is_set(cli_option::null_separated);
    if (!options.picture && !options.npy_beside) {
        refuse_nothing_to_write();
    }
    if (options.inputs.isEmpty() && options.input_list.isEmpty()) {
        refuse(QCoreApplication::translate(
            "widmo-cli", "--output-dir needs at least one INPUT or --files-from"));
    }
    if (options.inputs.contains(standard_stream)) {
        refuse(
            QCoreApplication::translate("widmo-cli", "--output-dir does not read standard input"));
    }
}

} // namespace

cli_options parse_options(const QStringList& arguments)
{
    option_parser parser;
    parser.parse(arguments);
    cli_options options;
    options.help = parser.is_set(cli_option::help);
    options.version = parser.is_set(cli_option::version);
    options.quiet = parser.is_set(cli_option::quiet);
    if (options.help || options.version) {
        return options;
    }
    read_settings(parser, options);
    if (!parser.is_set(cli_option::files_from)) {
        refuse_if_set(parser, cli_option::null_separated,
                      QT_TRANSLATE_NOOP("widmo-cli", "-0/--null needs --files-from"));
    }
    if (parser.is_set(cli_option::output_dir)) {
        read_batch(parser, options);
    } else {
        read_single_run(parser, options);
    }
    return options;
}
