#include "bmp_decode.h"

#include <cstring>

namespace bmp {

namespace {

// Walks a run-length stream. Rows are stored bottom first; each code is a run of one
// value, an end of row, a jump, the end of the picture or a stretch of literal values.
// The position stays inside 0 <= x <= width, 0 <= y <= rows (y counted from the bottom
// row): a code that would take it out, or write where it cannot, is refused before it
// moves or writes anything.
class run_length_decoder
{
public:
    run_length_decoder(byte_source& file, const header& h, picture& target)
        : in(file, h.pixel_offset, h.file_size), out(target), width(h.width), rows(h.rows),
          four_bit(h.compression == bi_rle4)
    {
    }

    void decode()
    {
        for (;;) {
            const int count = next();
            const int code = next();
            if (count > 0) {
                run(count, static_cast<std::uint8_t>(code));
            } else if (code == 0) {
                end_of_row();
            } else if (code == 1) {
                return;
            } else if (code == 2) {
                jump();
            } else {
                literal(code);
            }
        }
    }

private:
    std::uint8_t next() { return in.next(fault::stream_ends_early); }

    // Where the next `count` pixels go, from the position on; the position moves past them.
    std::uint8_t* claim(int count)
    {
        // x <= width, so width - x cannot wrap.
        if (y >= rows || count > width - x) {
            refuse(fault::run_past_picture);
        }
        // 0 <= y < rows here, so rows - 1 - y cannot wrap.
        std::uint8_t* at = out.row(rows - 1 - y) + x;
        x += count;
        return at;
    }

    void end_of_row()
    {
        if (y >= rows) {
            refuse(fault::rows_past_picture);
        }
        x = 0;
        ++y;
    }

    void jump()
    {
        const int right = next();
        const int up = next();
        // x <= width and y <= rows: neither subtraction can wrap.
        if (right > width - x || up > rows - y) {
            refuse(fault::jump_past_picture);
        }
        x += right;
        y += up;
    }

    // A run of RLE4 alternates the two values of its byte, the high one first.
    void run(int count, std::uint8_t value)
    {
        std::uint8_t* at = claim(count);
        if (!four_bit) {
            std::memset(at, value, static_cast<std::size_t>(count));
            return;
        }
        for (int i = 0; i < count; ++i) {
            at[i] = i % 2 == 0 ? value >> 4 : value & 15;
        }
    }

    // Literal values, two to a byte in RLE4; the stretch is padded to an even number of
    // bytes.
    void literal(int count)
    {
        std::uint8_t* at = claim(count);
        const int bytes = four_bit ? (count + 1) / 2 : count;
        for (int i = 0; i < bytes; ++i) {
            const std::uint8_t value = next();
            if (!four_bit) {
                at[i] = value;
                continue;
            }
            at[2 * i] = value >> 4;
            if (2 * i + 1 < count) {
                at[2 * i + 1] = value & 15;
            }
        }
        if (bytes % 2 == 1) {
            next();
        }
    }

    chunk_reader in;
    picture& out;
    const std::int64_t width;
    const std::int64_t rows;
    const bool four_bit;
    std::int64_t x = 0;
    std::int64_t y = 0;
};

} // namespace

void decode_run_length(byte_source& file, const header& h, picture& out)
{
    run_length_decoder(file, h, out).decode();
}

} // namespace bmp
