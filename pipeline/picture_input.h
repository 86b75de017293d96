#pragma once

#include "TBitmap.h"

#include <QByteArray>
#include <QString>

// Loads a picture into `bitmap` and reduces it to one grey level per pixel, as the window
// reduces the BMP files it loads. What the file holds decides how it is read, not its
// name: a BMP file (and anything that is not a regular file, which is refused) goes
// through Widmo's own BMP reader, anything else through the installed Qt image plugins,
// whose pictures are counted against the memory (and the cap on the padded area) by
// their sides before they are decoded, as viewers show them (turned as their EXIF
// orientation says). JPEG and GIF files are walked through first (picture_scan.h). Raises
// Exception naming the file and the reason; `bitmap` then keeps what it had.
void load_picture(TBitmap& bitmap, const QString& file_name);

// The same for a picture held in memory, read from standard input; `name` stands for it
// in messages.
void load_picture_bytes(TBitmap& bitmap, const QByteArray& bytes, const QString& name);

// Reads standard input into memory, never to disk. Its first bytes must show a picture
// format Widmo reads, and a header that declares the sides is counted against the memory
// and the cap on the padded area before more is read; what is kept is bounded by half
// the memory available and by what a picture of those sides (or of the capped area) can be
// stored in: 32 bytes a pixel and 16 MiB besides. Raises Exception with the reason
// (standard input named "-"), a read error as a read error.
QByteArray read_standard_input();
