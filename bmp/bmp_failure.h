#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <variant>

namespace bmp {

// What is wrong with a file, as a kind and the numbers that go with it. The codec makes
// no text: the program that shows the reason words it.
enum class fault
{
    file_empty,
    not_bmp,
    ends_inside_header,
    header_size_unknown,   // header size
    size_invalid,          // width, height as stored
    plane_count,           // planes
    coding_unsupported,    // bits per pixel, compression code, header size
    ends_inside_masks,     //
    mask_not_a_run,        // mask
    masks_overlap,         //
    colour_table_too_long, // declared entries, allowed entries, bits per pixel
    colour_table_missing,  //
    pixels_inside_headers, //
    pixels_past_end,       //
    truncated,             //
    compressed_top_down,   //
    stream_ends_early,     //
    run_past_picture,      //
    jump_past_picture,     //
    rows_past_picture,     //
};

struct failure
{
    fault kind;
    std::array<std::int64_t, 3> values{};
};

// A value, or the failure that stopped it being made.
template <typename T> class outcome
{
public:
    outcome(T value) : state(std::move(value)) {}
    outcome(failure reason) : state(reason) {}

    bool ok() const { return std::holds_alternative<T>(state); }
    T& value() { return std::get<T>(state); }
    const T& value() const { return std::get<T>(state); }
    const failure& reason() const { return std::get<failure>(state); }

private:
    std::variant<T, failure> state;
};

// Ends the decoding in progress: the public entry points catch it and return it.
[[noreturn]] inline void refuse(fault kind, std::int64_t a = 0, std::int64_t b = 0,
                                std::int64_t c = 0)
{
    throw failure{kind, {a, b, c}};
}

} // namespace bmp
