#pragma once

#include <QStringList>

// Exit statuses of widmo-cli.
enum CliStatus
{
    CliDone = 0,
    CliFailed = 1,         // nothing written: bad arguments, unreadable input, unwritable output
    CliDoneWithMessage = 2 // written, after the pipeline showed a message
};

// Runs widmo-cli with its arguments, the program name first: loads the input picture as
// the window's Wczytaj does, computes its spectrum as PoliczFFT does and writes the
// spectrum picture (and on request the spectrum itself). Every file appears complete
// or not at all. Messages go to standard error, the help and version to standard output.
int RunCli(const QStringList& arguments);
