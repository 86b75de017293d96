// Feeds arbitrary bytes through the whole road of a picture: loading (a BMP file through
// the window's loader, which must keep the picture it had when it refuses one; any other
// format through load_picture, as widmo-cli loads it: Qt's plugins after the walk over
// JPEG and GIF files), the reduction to 8 bits and, for small pictures, one spectrum
// computation. libFuzzer's -timeout bounds the time an input may take: a JPEG asking for
// thousands of scans would exceed it, the 500 the walk lets through on the small pictures
// this memory allows do not.
#include "Exception.h"
#include "ShowMessage.h"
#include "TBitmap.h"
#include "memory_budget.h"
#include "picture_input.h"
#include "quiet_libraries.h"
#include "spectrum_stages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Larger pictures are refused by the memory check, so every input runs quickly.
constexpr std::uint64_t fuzz_memory = std::uint64_t{16} << 20;
constexpr int largest_spectrum_side = 256;

// The input lives in an anonymous in-memory file, read through its /proc path exactly
// as the program reads a file on disk.
class input_file
{
public:
    input_file()
        : fd(memfd_create("widmo-fuzz.bmp", 0)), path("/proc/self/fd/" + std::to_string(fd))
    {
        if (fd < 0) {
            std::abort();
        }
    }

    void Write(const std::uint8_t* data, std::size_t size)
    {
        if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
            std::abort();
        }
    }

    const std::string& Path() const { return path; }

private:
    int fd;
    std::string path;
};

void run_spectrum(TBitmap& picture)
{
    if (picture.Width() > largest_spectrum_side || picture.Height() > largest_spectrum_side) {
        return;
    }
    // The window's display: the amplitude at the scale 0.001.
    const std::unique_ptr<matrix> samples = bitmap_to_matrix(picture);
    centre_spectrum(*samples, picture.Width(), picture.Height(), sampling_choice{});
    TBitmap spectrum;
    matrix_to_bitmap(spectrum, 2, 0.001, *samples);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    set_memory_probe([] { return memory_reserve + fuzz_memory; });
    set_message_sink([](const std::string&) {});
    silence_standard_error_while_decoding(false);
    return 0;
}

namespace {

// A 2 x 1 picture the bitmap holds before each input: a refused file must leave it.
TBitmap& previous_picture()
{
    static TBitmap picture;
    picture.PixelFormat(pf8bit);
    picture.Height(1);
    picture.Width(2);
    picture.ScanLine(0)[0] = 17;
    picture.ScanLine(0)[1] = 71;
    return picture;
}

bool still_previous(TBitmap& picture)
{
    return picture.Width() == 2 && picture.Height() == 1 && picture.PixelFormat() == pf8bit &&
           picture.ScanLine(0)[0] == 17 && picture.ScanLine(0)[1] == 71;
}

// Any other format, loaded as widmo-cli loads it.
void load_other_format(const std::string& path)
{
    TBitmap picture;
    try {
        load_picture(picture, QString::fromStdString(path));
        run_spectrum(picture);
    } catch (const Exception&) {
        // Refused with its reason, or for its size.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static input_file input;
    input.Write(data, size);
    if (size < 2 || data[0] != 'B' || data[1] != 'M') {
        load_other_format(input.Path());
        return 0;
    }
    TBitmap& picture = previous_picture();
    try {
        picture.LoadFromFile(input.Path());
    } catch (const Exception&) {
        // A refusal with a reason is the right answer to a hostile file, as long as
        // the picture shown before stays whole.
        if (!still_previous(picture)) {
            std::abort();
        }
        return 0;
    }
    try {
        picture.PixelFormat(pf8bit);
        run_spectrum(picture);
    } catch (const Exception&) {
        // Refused for its size: the memory check gives the small budget above.
    }
    picture.Height(0);
    return 0;
}
