#pragma once

#include <functional>
#include <string>

// Where ShowMessage sends its text. The window program shows a modal box, the command
// line tool writes to standard error, tests record.
using MessageSink = std::function<void(const std::string&)>;

// Shows `text` to the user through the current sink.
void ShowMessage(const std::string& text);

// Installs `sink` (an empty one restores the default) and returns the one it replaces.
// The default shows a modal box with an OK button when a widget application runs, and
// writes a line to standard error otherwise.
MessageSink SetMessageSink(MessageSink sink);

// The two built-in sinks.
void ModalMessageBox(const std::string& text);
void StandardErrorLine(const std::string& text);
