#pragma once

#include <QString>
#include <QStringList>

#include <climits>
#include <cstdint>

// The bounds of a --files-from list: the longest name the system takes as a path, and the
// largest list read (a million names of 60 bytes or so; larger batches are split).
inline constexpr std::int64_t longest_listed_name = PATH_MAX - 1;
inline constexpr std::int64_t largest_list = std::int64_t{64} << 20;

// The file names in the list `source` ("-" for standard input), each ending in a newline,
// or in a NUL byte when `null_separated`; the last may end the list instead. The names are
// taken byte for byte. Raises std::runtime_error, with a line naming the list and the
// place, for a list that cannot be read or is larger than `largest_list` bytes, and for a
// name that is empty, longer than `longest_listed_name` bytes, holds a NUL byte or is no
// valid name in the system's encoding.
QStringList read_input_list(const QString& source, bool null_separated);
