#pragma once

#include "options.h"

// Refuses, with a std::runtime_error naming the file, a command line whose OUTPUT or
// --npy file is the input or the same file as the other output, however the names
// reach it (other spellings, symbolic or hard links), and an existing output that is
// not a regular file: a FIFO, a device or a folder is never replaced. Looks at names
// only; opens nothing.
void refuse_clashing_files(const CliOptions& options);
