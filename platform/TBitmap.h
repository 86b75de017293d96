#pragma once

#include "Palette.h"

#include <QImage>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

enum TPixelFormat
{
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom
};

enum TBitmapHandleType
{
    bmDIB,
    bmDDB
};

struct bitmap_object;
struct loaded_picture;
using HBITMAP = bitmap_object*;

// A device-independent bitmap held in a QImage. Pictures of 1, 4 and 8 bits per pixel are
// held one byte per pixel, as indices into their colour table; 15- to 32-bit ones as
// 32-bit pixels (blue, green, red, unused). PixelFormat tells the depth the picture came
// with until it is changed.
class TBitmap
{
public:
    TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    virtual ~TBitmap();

    int Width() const { return width; }
    int Height() const { return height; }
    // Resizing keeps the pixels both sizes share and clears the others to 0.
    void Width(int new_width);
    void Height(int new_height);

    TPixelFormat PixelFormat() const { return format; }
    // pf8bit keeps an 8-bit picture's bytes and palette and turns any other picture
    // into grey levels under a 256-grey palette; see grey_level.
    void PixelFormat(TPixelFormat new_format);

    TBitmapHandleType HandleType() const { return handle_type; }
    void HandleType(TBitmapHandleType type) { handle_type = type; }

    // The colour table's handle (null for pictures without one). On write the bitmap
    // takes the handle over, releases the one it held, and paints with its colours.
    HPALETTE Palette() const { return palette.get(); }
    void Palette(HPALETTE new_palette);

    // This bitmap's handle, for GetDIBSizes and GetDIB.
    HBITMAP Handle() const;
    // The bitmap behind a handle, or null for a handle that names no live bitmap.
    static const TBitmap* FromHandle(HBITMAP handle);

    // Address of the first byte of pixel row y, row 0 at the top. Raises Exception for a
    // row outside the picture.
    virtual std::uint8_t* ScanLine(int y);

    // Reads a Windows BMP file (its name in the file system's bytes) through the codec in
    // bmp/. Raises Exception naming the file
    // and the reason when it cannot (anything but a regular file is refused at once); the
    // bitmap then keeps the picture it had.
    void LoadFromFile(const std::string& file_name);
    // The same for a BMP file held in memory, `name` standing for it in messages.
    void LoadFromBytes(std::span<const std::uint8_t> bytes, const std::string& name);

    // Takes the picture of `source`: its size, format, pixels and a copy of its palette.
    // The pixels are shared until either bitmap changes them, so handing a freshly loaded
    // picture over copies nothing.
    void Assign(const TBitmap* source);

    // The pixels as Qt holds them (null while a side is 0), for painting and export.
    const QImage& Image() const { return image; }

    // Called after every change of size, format, palette or pixels.
    std::function<void()> OnChange;

private:
    struct palette_release
    {
        void operator()(HPALETTE p) const { DeleteObject(p); }
    };
    using palette_pointer = std::unique_ptr<palette_object, palette_release>;

    void LoadNamed(const std::string& name, const std::function<loaded_picture()>& read);
    void Resize(int new_width, int new_height);
    void ReduceToGrey();
    void Changed();

    int width = 0;
    int height = 0;
    TPixelFormat format = pfDevice;
    TBitmapHandleType handle_type = bmDIB;
    palette_pointer palette;
    QImage image;
};

// The grey level of a colour of components 0 to 255: (299 R + 587 G + 114 B + 500) / 1000,
// in integers, which is 255 at most.
constexpr std::uint8_t grey_level(int red, int green, int blue)
{
    return static_cast<std::uint8_t>((299 * red + 587 * green + 114 * blue + 500) / 1000);
}
