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

// Installs `sink` for the calling thread alone, ahead of the process's sink (an empty one
// leaves this thread to the process's sink again), and returns the one it replaces. A
// batch that loads pictures side by side counts each picture's messages on its own thread.
message_sink set_thread_message_sink(message_sink sink);

// The default sink: the text and a newline, written at once, so that lines from several
// threads do not mix.
void standard_error_line(const std::string& text);

// Held while a line is written to standard error, and by whoever points standard error
// elsewhere for a while, so that no line of another thread is lost meanwhile.
std::recursive_mutex& standard_error_lock();
