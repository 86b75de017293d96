#pragma once

#include "options.h"

// Works on every input of a command line with --output-dir: DIR/NAME.FORMAT (and
// DIR/NAME.npy) for each, going on past inputs that fail, each named with its reason on
// standard error. The pictures are worked on side by side, one on each worker thread; a
// single input alone, its stages shared among the threads. Shows a progress line on
// standard error when that is a terminal, unless quiet. Returns the exit status: 1 when
// an input failed, 2 when all were written but the computation showed a message, else 0.
// Raises std::runtime_error when DIR cannot be made.
int run_batch(const cli_options& options);
