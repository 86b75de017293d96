#pragma once

#include "BmpHeader.h"

#include <QByteArray>
#include <QImage>

// Decoders for the codings Qt's reader checks too little or widens wrongly: run-length
// coded pictures and pixels described by colour masks. `pixels` is the file from the
// header's pixel offset on. Each raises Exception with the reason for data that does not
// fit the picture.

// RLE8 and RLE4: palette indices, one byte per pixel, under `colours`.
QImage DecodeRunLength(const QByteArray& pixels, const BmpHeader& header,
                       const QList<QRgb>& colours);

// 16- and 32-bit pixels: 32-bit RGB, each channel widened to 8 bits as floor(v*255/max).
QImage DecodeMasked(const QByteArray& pixels, const BmpHeader& header);
