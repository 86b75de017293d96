#pragma once

#include "TBitmap.h"

#include <QString>

// Loads a picture into `bitmap` and reduces it to one grey level per pixel, as the window
// reduces the BMP files it loads. What the file holds decides how it is read, not its
// name: a BMP file (and anything that is not a regular file, which is refused) goes
// through Widmo's own BMP reader, anything else through the installed Qt image plugins,
// whose pictures are counted against the memory (and the cap on the padded area) by
// their sides before they are decoded. Raises Exception naming the file and the reason;
// `bitmap` then keeps what it had.
void load_picture(TBitmap& bitmap, const QString& file_name);

// Copies standard input into a temporary file, removed when the copy goes, so that it
// can be loaded like any file.
class standard_input_copy
{
public:
    standard_input_copy();
    standard_input_copy(const standard_input_copy&) = delete;
    standard_input_copy& operator=(const standard_input_copy&) = delete;
    ~standard_input_copy();

    const QString& file_name() const { return name; }

private:
    QString name;
};
