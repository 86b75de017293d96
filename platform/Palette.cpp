#include "Palette.h"

#include <cstring>

struct palette_object
{
    QList<QRgb> colors;
};

PALETTEENTRY* palette_entries(LOGPALETTE* record)
{
    return reinterpret_cast<PALETTEENTRY*>(reinterpret_cast<std::byte*>(record) +
                                           offsetof(LOGPALETTE, palPalEntry));
}

const PALETTEENTRY* palette_entries(const LOGPALETTE* record)
{
    return reinterpret_cast<const PALETTEENTRY*>(reinterpret_cast<const std::byte*>(record) +
                                                 offsetof(LOGPALETTE, palPalEntry));
}

HPALETTE CreatePalette(const LOGPALETTE* record)
{
    if (record == nullptr || record->palNumEntries == 0) {
        return nullptr;
    }
    QList<QRgb> colors;
    colors.reserve(record->palNumEntries);
    const PALETTEENTRY* entries = palette_entries(record);
    for (std::size_t i = 0; i < record->palNumEntries; ++i) {
        colors.append(qRgb(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
    }
    return palette_from_colors(colors);
}

void DeleteObject(HPALETTE palette)
{
    delete palette;
}

HPALETTE palette_from_colors(const QList<QRgb>& colors)
{
    return new palette_object{colors};
}

QList<QRgb> palette_colors(HPALETTE palette)
{
    return palette == nullptr ? QList<QRgb>{} : palette->colors;
}

QList<QRgb> grey_table()
{
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i) {
        table[i] = qRgb(i, i, i);
    }
    return table;
}
