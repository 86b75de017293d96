#pragma once

#include <string>

// The window needs a desktop session: an X11 or Wayland display that Qt's platform plugin
// can connect to. Over SSH or in a container there is often none.

// The one line that tells the user the window has no desktop session and names the ways
// without one (widmo-cli, xvfb-run); empty when a window can be tried: a display is named
// (DISPLAY or WAYLAND_DISPLAY), or Qt's platform is chosen by QT_QPA_PLATFORM or by
// -platform among `argv` (offscreen, say).
std::string missing_desktop_session(int argc, char** argv);

// While it lives, a platform plugin that fails to start (a named display that cannot be
// reached) ends the program with one line naming that display and exit status 1, instead
// of Qt's warnings, fatal message and abort. Wraps the construction of Qt's application
// object; the messages Qt gives meanwhile are held back and passed on when it ends.
class unreachable_display_guard
{
public:
    unreachable_display_guard();
    ~unreachable_display_guard();
    unreachable_display_guard(const unreachable_display_guard&) = delete;
    unreachable_display_guard& operator=(const unreachable_display_guard&) = delete;
};
