#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <stdexcept>

// What the command line asks for.
struct CliOptions
{
    QString input;
    QString output;
    QString npy; // empty: no spectrum file
    int mode = 2;
    double scale = 0.001;
    std::uint64_t maxPixels = UINT64_MAX; // the largest padded area accepted
    bool help = false;
    bool version = false;
};

// A command line that cannot be followed; the text is one line saying why.
class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads the arguments, the program name first. Raises UsageError for an unknown option,
// a bad value, or other than two file names when neither --help nor --version is given.
CliOptions ParseOptions(const QStringList& arguments);

// The text --help prints.
QString UsageText();
