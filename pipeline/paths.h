#pragma once

#include <QString>

// The files one picture's run writes: the spectrum picture ("-" for standard output, empty
// for none) and the spectrum itself (empty for none).
struct output_files
{
    QString picture;
    QString npy;
};

// Refuses, with a std::runtime_error naming the file, outputs of which one is the input
// or the same file as the other, however the names reach it (other spellings, symbolic or
// hard links), and an existing output that is not a regular file: a FIFO, a device or a
// folder is never replaced. An empty input (standard input) and the output "-" (standard
// output) are no files here. Looks at names only; opens nothing.
void refuse_clashing_files(const QString& input, const output_files& outputs);
