#pragma once

#include "choices.h"

#include <QIODevice>
#include <QImage>
#include <QString>

#include <optional>

// The formats widmo-cli writes the spectrum picture in.
enum class picture_format
{
    bmp, // 8 bits per pixel with a palette of 256 greys
    png, // 8-bit grey
    pgm  // binary (P5), maximum 255
};

inline constexpr value_names<picture_format, 3> picture_format_names = {
    {{"bmp", picture_format::bmp}, {"png", picture_format::png}, {"pgm", picture_format::pgm}}};

// The format a file name's extension names, in any case; nothing for any other extension.
std::optional<picture_format> format_of_file_name(const QString& name);

// "bmp", "png" or "pgm".
QString extension_of(picture_format format);

// Writes a grey picture (Format_Grayscale8, row 0 at the top) in the format. Every byte
// written is set here or by the format's encoder from the picture's own pixels, never from
// the bytes that align Qt's rows; the same picture gives the same bytes every time. False
// when the device refuses a byte; std::invalid_argument for another kind of image.
bool write_grey_picture(QIODevice& device, const QImage& grey, picture_format format);
