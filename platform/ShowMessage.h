#pragma once

#include <functional>
#include <mutex>
#include <string>

// Where ShowMessage sends its text. The window program installs a modal box, the
// command line tool writes to standard error, tests record.
using message_sink = std::function<void(const std::string&)>;

// Shows `text` to the user through the current sink.
void ShowMessage(const std::string& text);

// Installs `sink` (an empty one restores the default) and returns the one it replaces.
// The default writes a line to standard error.
message_sink set_message_sink(message_sink sink);

// The default sink.
void standard_error_line(const std::string& text);

// Held while a line is written to standard error, and by whoever points standard error
// elsewhere for a while, so that no line of another thread is lost meanwhile.
std::recursive_mutex& standard_error_lock();
