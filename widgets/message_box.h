#pragma once

#include <string>

// The message sink of the window program: a modal box with the text and an OK button,
// titled with the application's display name. TApplication installs it.
void modal_message_box(const std::string& text);
