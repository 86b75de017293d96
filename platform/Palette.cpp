#include "Palette.h"

#include <cstring>

struct HPALETTE__
{
    QList<QRgb> colors;
};

PALETTEENTRY* PaletteEntries(LOGPALETTE* record)
{
    return reinterpret_cast<PALETTEENTRY*>(reinterpret_cast<std::byte*>(record) +
                                           offsetof(LOGPALETTE, palPalEntry));
}

const PALETTEENTRY* PaletteEntries(const LOGPALETTE* record)
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
    const PALETTEENTRY* entries = PaletteEntries(record);
    for (std::size_t i = 0; i < record->palNumEntries; ++i) {
        colors.append(qRgb(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
    }
    return PaletteFromColors(colors);
}

void DeleteObject(HPALETTE palette)
{
    delete palette;
}

HPALETTE PaletteFromColors(const QList<QRgb>& colors)
{
    return new HPALETTE__{colors};
}

QList<QRgb> PaletteColors(HPALETTE palette)
{
    return palette == nullptr ? QList<QRgb>{} : palette->colors;
}
