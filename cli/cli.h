#pragma once

#include <QStringList>

// Runs widmo-cli with its arguments, the program name first: loads each input picture,
// computes its spectrum as the options say and writes the spectrum picture (and on
// request the spectrum itself). Every file appears complete or not at all. Messages go to
// standard error, the help and version to standard output. Returns the exit status
// (cli_status.h).
int run_cli(const QStringList& arguments);
