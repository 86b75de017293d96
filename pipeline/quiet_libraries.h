#pragma once

#include <QtMessageHandler>

// While it lives, what the image libraries print while this thread decodes a picture is
// kept off standard error: Qt's warnings from this thread are dropped (other threads' pass
// on), and standard error itself points to /dev/null, so that libtiff's and libpng's own
// lines ("foo: Sorry, can not handle images with 32-bit samples.", "libpng error: Read
// Error") never stand before our one line that says why. Other threads' lines through
// standard_error_line wait until it is restored.
class quiet_libraries
{
public:
    quiet_libraries();
    quiet_libraries(const quiet_libraries&) = delete;
    quiet_libraries& operator=(const quiet_libraries&) = delete;
    ~quiet_libraries();

private:
    QtMessageHandler previous_handler;
    int saved_error = -1;
};

// Whether standard error points to /dev/null while a picture is decoded (so by default).
// The fuzzer turns it off, so that a sanitizer's report on a decoder is seen.
void silence_standard_error_while_decoding(bool silence);
