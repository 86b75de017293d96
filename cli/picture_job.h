#pragma once

#include "options.h"
#include "output_file.h"
#include "paths.h"

#include "matrix.h"

#include <QBuffer>
#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <memory>

// One picture's run, in three steps so that a batch can do the middle one of several
// pictures side by side. Every file appears complete or not at all: each is written under
// a temporary name beside its target and renamed into place by finish(); a picture for
// standard output is held until then, and written first: when it cannot be, no file is
// put in place. Each step raises std::exception with a text that
// says why, and a job that raised is dropped without a trace on disk.
class picture_job
{
public:
    // `input` is a file name, empty for standard input, whose bytes `standard_input` then
    // holds.
    picture_job(const QString& input, QByteArray standard_input, output_files outputs,
                picture_format format, const spectrum_settings& settings);

    // First: refuses clashing files, loads the input, opens the outputs and samples the
    // picture, which may show messages.
    void prepare();
    // On any thread: transforms, paints and writes into the opened outputs.
    void compute();
    // On the preparing thread: checks the names once more and puts the files in place.
    void finish();

private:
    QString input;
    QByteArray standard_input;
    output_files outputs;
    picture_format format;
    const spectrum_settings& settings;
    int width = 0;
    int height = 0;
    std::unique_ptr<matrix> spectrum;
    std::unique_ptr<output_file> picture_file; // null for standard output or no picture
    QBuffer standard_output_picture;
    std::unique_ptr<output_file> npy_file;
};
