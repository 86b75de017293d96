#pragma once

#include "choices.h"
#include "display_choice.h"
#include "picture_output.h"
#include "sample_options.h"
#include "sampling_names.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <stdexcept>

// What widmo-cli does when the command line does not say: the window's own display and
// scale, no window, zero padding, BMP pictures.
inline constexpr display_setting default_display = {};
inline constexpr sampling_choice default_sampling = {};
inline constexpr picture_format default_format = picture_format::bmp;

// The name standing for standard input (as INPUT) and standard output (as OUTPUT).
inline const QString standard_stream = QStringLiteral("-");

// How one picture becomes its spectrum picture.
struct spectrum_settings
{
    display_setting display = default_display;
    sampling_choice sampling = default_sampling;
};

// What the command line asks for.
struct cli_options
{
    QStringList inputs;          // one, or with --output-dir any number
    QString output;              // a single run's picture file, "-", or empty for none
    QString npy_file;            // a single run's spectrum file; empty for none
    QString output_dir;          // empty for a single run
    bool npy_beside = false;     // with --output-dir: DIR/<name>.npy beside each picture
    bool picture = true;         // with --output-dir: DIR/<name>.<format> for each input
    QString input_list;          // with --output-dir: the --files-from list; empty for none
    bool null_separated = false; // the names in input_list end in NUL bytes
    picture_format format = default_format;
    spectrum_settings spectrum;
    std::uint64_t max_pixels = UINT64_MAX; // the largest padded area accepted
    bool quiet = false;
    bool help = false;
    bool version = false;

    bool batch() const { return !output_dir.isEmpty(); }
};

// A command line that cannot be followed; the text is one line saying why.
class usage_error : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads the arguments, the program name first. Raises usage_error for an unknown option,
// a bad value, a missing or extra file name, an OUTPUT whose extension names no format
// widmo-cli writes, or a run that would write nothing; nothing is opened, not even the
// --files-from list.
cli_options parse_options(const QStringList& arguments);
