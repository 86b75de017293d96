#pragma once

#include <QList>
#include <QRgb>

#include <cstddef>
#include <cstdint>

// A logical palette record: version, entry count, then the entries. The record is
// allocated with room for all its entries after the header; palette_entries reaches them.
struct PALETTEENTRY
{
    std::uint8_t peRed;
    std::uint8_t peGreen;
    std::uint8_t peBlue;
    std::uint8_t peFlags;
};

struct LOGPALETTE
{
    std::uint16_t palVersion;
    std::uint16_t palNumEntries;
    PALETTEENTRY palPalEntry[1];
};

// Bytes of a record holding `entries` entries (1028 for 256).
constexpr std::size_t log_palette_size(std::size_t entries)
{
    return offsetof(LOGPALETTE, palPalEntry) + entries * sizeof(PALETTEENTRY);
}

PALETTEENTRY* palette_entries(LOGPALETTE* record);
const PALETTEENTRY* palette_entries(const LOGPALETTE* record);

// A palette object, reached only through its handle.
struct palette_object;
using HPALETTE = palette_object*;

// Builds a palette from a logical-palette record; the caller owns the handle until it
// hands it to a bitmap. Returns null for a null record or one without entries.
HPALETTE CreatePalette(const LOGPALETTE* record);

// Releases a palette; null is ignored.
void DeleteObject(HPALETTE palette);

// A palette from a Qt colour table, and a palette's colours (empty for null).
HPALETTE palette_from_colors(const QList<QRgb>& colors);
QList<QRgb> palette_colors(HPALETTE palette);

// The 256 opaque greys, entry i being grey level i.
QList<QRgb> grey_table();
