#pragma once

#include <string>

// The message sink of the window program: a modal box with the text and an OK button,
// titled with the application's display name. TApplication installs it.
void ModalMessageBox(const std::string& text);
