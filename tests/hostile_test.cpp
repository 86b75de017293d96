#include "Dib.h"
#include "Exception.h"
#include "TBitmap.h"
#include "Unit1.h"
#include "memory_budget.h"

#include "bitmap_pixels.h"
#include "bmp_builder.h"
#include "bmp_writer.h"
#include "message_recorder.h"

#include <QImage>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A small grey picture, then a hostile file: the load must raise with the file's name
// and a reason, and the picture must stay as it was.
class HostileFile : public testing::Test
{
protected:
    void SetUp() override
    {
        write_bmp(temp_path("kept.bmp"), grey_picture(3, 2, {10, 20, 30, 40, 50, 60}));
        bitmap.LoadFromFile(temp_path("kept.bmp"));
        bitmap.PixelFormat(pf8bit);
        kept = pixel_bytes(bitmap);
        // The same answer on every machine: as if 256 MiB were free.
        previousProbe = set_memory_probe([] { return std::uint64_t{256} << 20; });
    }

    void TearDown() override { set_memory_probe(previousProbe); }

    void ExpectRefused(const std::string& path, const std::string& reason)
    {
        SCOPED_TRACE(path);
        try {
            bitmap.LoadFromFile(path);
            ADD_FAILURE() << "accepted";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message().rfind("Cannot read the bitmap \"" + path + "\": ", 0), 0u)
                << e.Message();
            EXPECT_NE(e.Message().find(reason), std::string::npos) << e.Message();
        }
        EXPECT_EQ(bitmap.Width(), 3);
        EXPECT_EQ(bitmap.Height(), 2);
        EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
        EXPECT_EQ(pixel_bytes(bitmap), kept);
    }

    void ExpectRefused(const std::vector<std::uint8_t>& bytes, const std::string& reason)
    {
        const std::string path = temp_path("hostile-" + std::to_string(++files) + ".bmp");
        write_file(path, bytes);
        ExpectRefused(path, reason);
    }

    TBitmap bitmap;
    std::vector<std::uint8_t> kept;
    memory_probe previousProbe;
    int files = 0;
};

RawBmp grey8(int width, int height)
{
    RawBmp b = grey_palette(width, height);
    b.pixels = stored_rows(height < 0 ? -height : height, width, 7);
    return b;
}

TEST_F(HostileFile, ThingsThatAreNoBitmapFile)
{
    ExpectRefused(std::vector<std::uint8_t>{}, "the file is empty");
    ExpectRefused(std::vector<std::uint8_t>{'h', 'e', 'l', 'l', 'o', '\n'}, "not a BMP file");
    QImage png(4, 4, QImage::Format_RGB32);
    png.fill(Qt::green);
    ASSERT_TRUE(png.save(QString::fromStdString(temp_path("png.png")), "png"));
    std::filesystem::rename(temp_path("png.png"), temp_path("png.bmp"));
    ExpectRefused(temp_path("png.bmp"), "not a BMP file");
    std::filesystem::create_directory(temp_path("folder.bmp"));
    ExpectRefused(temp_path("folder.bmp"), "folder");
    ExpectRefused(temp_path("missing.bmp"), "there is no such file");
}

TEST_F(HostileFile, UnreadableFile)
{
    write_bmp(temp_path("locked.bmp"), grey_picture(1, 1, {0}));
    ASSERT_EQ(chmod(temp_path("locked.bmp").c_str(), 0), 0);
    if (geteuid() != 0) {
        ExpectRefused(temp_path("locked.bmp"), "permission to read it is denied");
        return;
    }
    // Permission bits do not stop root: read as the unprivileged user in a child.
    EXPECT_EXIT(
        {
            if (setgid(65534) != 0 || setuid(65534) != 0) {
                _exit(2);
            }
            try {
                bitmap.LoadFromFile(temp_path("locked.bmp"));
            } catch (const Exception& e) {
                _exit(e.Message().find("permission to read it is denied") != std::string::npos &&
                              bitmap.Width() == 3
                          ? 0
                          : 1);
            }
            _exit(1);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(HostileFile, TruncatedAnywhere)
{
    const std::vector<std::uint8_t> whole = grey8(5, 4).bytes();
    for (std::size_t length : {std::size_t{2}, std::size_t{13}, std::size_t{20}, std::size_t{53}}) {
        ExpectRefused(std::vector<std::uint8_t>(whole.begin(), whole.begin() + length),
                      "ends inside its header");
    }
    ExpectRefused(std::vector<std::uint8_t>(whole.begin(), whole.end() - 1), "truncated");
    RawBmp os2 = grey8(5, 4);
    os2.header_size = 12;
    const std::vector<std::uint8_t> os2Bytes = os2.bytes();
    ExpectRefused(std::vector<std::uint8_t>(os2Bytes.begin(), os2Bytes.begin() + 24),
                  "ends inside its header");
}

TEST_F(HostileFile, SizesThatCannotBe)
{
    for (auto [width, height] : {std::pair{0, 4}, {5, 0}, {-5, 4}, {INT32_MIN, 4}}) {
        RawBmp b = grey8(1, 1);
        b.width = width;
        b.height = height;
        ExpectRefused(b.bytes(), "is invalid");
    }
    // Uncompressed rows of a huge picture cannot hide in a small file.
    RawBmp huge = grey8(1, 1);
    huge.width = INT32_MAX;
    huge.height = INT32_MIN;
    ExpectRefused(huge.bytes(), "truncated");
}

TEST_F(HostileFile, PicturesTooLargeForTheMemoryAreRefusedBeforeAllocating)
{
    // Run-length files are small whatever their size: only the memory check stops them.
    // 65536 x 65536 overflows 32 bits; the largest sides overflow 64 bits once multiplied
    // by the bytes of a pixel and of the pipeline.
    ExpectRefused(rle8(65536, 65536, {0, 1}).bytes(),
                  "The 65536 x 65536 picture needs 4.0 GiB of memory to load it, but only "
                  "192.0 MiB are available");
    ExpectRefused(rle8(INT32_MAX, INT32_MAX, {0, 1}).bytes(),
                  "The 2147483647 x 2147483647 picture needs 4.0 EiB");
}

// Sides the memory could give but a Qt image cannot count, refused before anything is
// allocated: a run-length picture one pixel too wide, and 2^31 rows stored top first in a
// sparse file of 8 GiB.
TEST_F(HostileFile, PicturesLargerThanAnImageHoldsAreRefused)
{
    set_memory_probe([] { return std::uint64_t{1} << 40; });
    ExpectRefused(rle8(268'435'453, 1, {0, 1}).bytes(),
                  "a 268435453 x 1 picture is larger than this program holds");
    RawBmp tall = grey_palette(1, INT32_MIN);
    const std::string path = temp_path("tall-8g.bmp");
    write_sparse_file(path, tall.bytes(), tall.bytes().size() + (std::uint64_t{4} << 31));
    ExpectRefused(path, "a 1 x 2147483648 picture is larger than this program holds");
    std::filesystem::remove(path);
}

TEST_F(HostileFile, BadOffsetsAndColourTables)
{
    RawBmp inside = grey8(2, 2);
    inside.pixelOffset = 20;
    ExpectRefused(inside.bytes(), "starts inside the headers");
    RawBmp past = grey8(2, 2);
    past.pixelOffset = 100000;
    past.pixels.clear();
    ExpectRefused(past.bytes(), "past the end of the file");
    RawBmp longTable = grey8(2, 2);
    longTable.colourCount = 257;
    ExpectRefused(longTable.bytes(), "257 entries, more than the 256");
    RawBmp noTable = grey8(2, 2);
    noTable.colours.clear();
    noTable.colourCount = 0;
    ExpectRefused(noTable.bytes(), "colour table is missing");
}

TEST_F(HostileFile, RunLengthStreamsThatLeaveTheFileOrThePicture)
{
    ExpectRefused(rle8(4, 2, {4, 9, 0, 0, 4, 9}).bytes(), "ends before its end mark");
    ExpectRefused(rle8(4, 2, {4, 9, 0}).bytes(), "ends before its end mark");
    ExpectRefused(rle8(4, 2, {0, 4, 1, 2, 3}).bytes(), "ends before its end mark");
    ExpectRefused(rle8(4, 2, {5, 9, 0, 1}).bytes(), "runs past the picture");
    ExpectRefused(rle8(4, 2, {0, 2, 200, 0, 1, 9, 0, 1}).bytes(), "jumps past the picture");
    ExpectRefused(rle8(4, 2, {0, 0, 0, 0, 1, 9, 0, 1}).bytes(), "runs past the picture");
    ExpectRefused(rle4(3, 1, {0, 5, 0x12, 0x34, 0x50, 0}).bytes(), "runs past the picture");
    RawBmp topDown = rle8(4, -2, {0, 1});
    ExpectRefused(topDown.bytes(), "top row first");
}

// Streams of millions of codes that once carried the decoder's position out of int:
// the first code that leaves the picture is refused, and nothing reads the file whole.
TEST_F(HostileFile, LongRunLengthStreamsAreRefusedWhereTheyLeaveThePicture)
{
    // 34 MB of jumps 255 rows up: 2^31 rows in all.
    const std::vector<std::uint8_t> upward = repeated({0, 2, 0, 255}, 8'421'505);
    ExpectRefused(rle8(64, 64, upward).bytes(), "jumps past the picture");
    ExpectRefused(rle4(64, 64, upward).bytes(), "jumps past the picture");
    // 4 GiB, all zeros after the headers: 2^31 ends of row, held in a hole on the disk.
    const std::string sparse = temp_path("sparse-4g.bmp");
    write_sparse_file(sparse, rle8(64, 64, {}).bytes(), std::uint64_t{4} << 30);
    ExpectRefused(sparse, "runs past the picture's last row");
    std::filesystem::remove(sparse);
}

TEST_F(HostileFile, AnythingButARegularFileIsRefusedWithoutWaiting)
{
    ExpectRefused("/dev/zero", "it is not a regular file");
    const std::string fifo = temp_path("fifo.bmp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Nothing writes to the FIFO: a loader that waits for a writer is ended by the alarm.
    EXPECT_EXIT(
        {
            alarm(10);
            try {
                bitmap.LoadFromFile(fifo);
            } catch (const Exception& e) {
                _exit(e.Message().find("it is not a regular file") != std::string::npos &&
                              pixel_bytes(bitmap) == kept
                          ? 0
                          : 1);
            }
            _exit(1);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(HostileFile, CodingsThatAreNotSupported)
{
    for (auto [bits, compression] : {std::pair{2, 0},
                                     {64, 0},
                                     {0, 0},
                                     {24, 4},
                                     {24, 5},
                                     {8, 2},
                                     {4, 1},
                                     {24, 3},
                                     {32, 6},
                                     {8, 99}}) {
        RawBmp b = grey8(2, 2);
        b.bits = static_cast<std::uint16_t>(bits);
        b.compression = static_cast<std::uint32_t>(compression);
        ExpectRefused(b.bytes(), "are not supported");
    }
    RawBmp header = grey8(2, 2);
    header.header_size = 66;
    ExpectRefused(header.bytes(), "header size 66");
    RawBmp planes = grey8(2, 2);
    planes.planes = 3;
    ExpectRefused(planes.bytes(), "plane count 3");
}

RawBmp masked16(int width, int height, std::vector<std::uint32_t> masks)
{
    RawBmp b;
    b.width = width;
    b.height = height;
    b.bits = 16;
    b.compression = 3;
    b.masks = std::move(masks);
    b.pixels = stored_rows(height, 2 * width, 0x5a);
    return b;
}

TEST_F(HostileFile, ColourMasksThatDescribeNoColour)
{
    for (const std::vector<std::uint32_t>& masks :
         std::vector<std::vector<std::uint32_t>>{{0, 0x3e0, 0x1f},
                                                 {0xf800, 0x7e0, 0x10001},
                                                 {0xf800, 0xfc00, 0x1f},
                                                 {0x1f0000, 0x7e0, 0x1f}}) {
        ExpectRefused(masked16(2, 2, masks).bytes(), "colour mask");
    }
}

// What the checks above must not cost: legal files of the codings decoded here.
TEST(OwnDecoders, RunLengthCodesLandOnTheirPixels)
{
    // Bottom row: a run of 2, a literal stretch of 3 (padded), end of row; top row: a
    // jump of 2 to the right, a run of 1, end of picture.
    write_file(temp_path("rle8.bmp"),
               rle8(6, 2, {2, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 1, 9, 0, 1}).bytes());
    TBitmap bitmap;
    bitmap.LoadFromFile(temp_path("rle8.bmp"));
    EXPECT_EQ(pixel_bytes(bitmap), (std::vector<std::uint8_t>{0, 0, 9, 0, 0, 0, 7, 7, 1, 2, 3, 0}));
    // RLE4: a run alternates its two values; an odd literal stretch ends on a high half.
    write_file(temp_path("rle4.bmp"),
               rle4(8, 1, {3, 0x12, 0, 5, 0x34, 0x56, 0x70, 0, 0, 1}).bytes());
    bitmap.LoadFromFile(temp_path("rle4.bmp"));
    EXPECT_EQ(bitmap.PixelFormat(), pf4bit);
    EXPECT_EQ(pixel_bytes(bitmap), (std::vector<std::uint8_t>{1, 2, 1, 3, 4, 5, 6, 7}));
}

TEST(OwnDecoders, MaskedChannelsWidenToTheFullRange)
{
    RawBmp b = masked16(3, 1, {0xf800, 0x07e0, 0x001f});
    // White, pure 5-bit red 1, pure 6-bit green 32.
    b.pixels = {0xff, 0xff, 0x00, 0x08, 0x00, 0x04, 0, 0};
    write_file(temp_path("rgb565.bmp"), b.bytes());
    TBitmap bitmap;
    bitmap.LoadFromFile(temp_path("rgb565.bmp"));
    EXPECT_EQ(bitmap.Image().pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(bitmap.Image().pixel(1, 0), qRgb(8, 0, 0));
    EXPECT_EQ(bitmap.Image().pixel(2, 0), qRgb(0, 129, 0));
}

// Index bytes past a short colour table show black and never reach past the table.
TEST(OwnDecoders, IndicesPastAShortColourTableShowBlack)
{
    RawBmp b = grey8(2, 1);
    b.bits = 4;
    b.colours = {0xffffff};
    b.pixels = {0x09, 0, 0, 0};
    write_file(temp_path("short-table.bmp"), b.bytes());
    TBitmap bitmap;
    bitmap.LoadFromFile(temp_path("short-table.bmp"));
    EXPECT_EQ(bitmap.Image().pixel(1, 0), qRgb(0, 0, 0));
    bitmap.PixelFormat(pf8bit);
    EXPECT_EQ(pixel_bytes(bitmap), (std::vector<std::uint8_t>{255, 0}));
}

// The 8-bit reduction of a 4-bit picture turns its own indices grey and needs no memory;
// a copy, when another image shares the rows, is counted first, and a refusal leaves the
// picture as it was.
TEST(Reduction, IndicesTurnGreyWhereTheyAreAndACopyIsCountedFirst)
{
    RawBmp b = grey_palette(3, 1);
    b.bits = 4;
    b.colours = {0x000000, 0x808080, 0xffffff};
    b.pixels = {0x12, 0x00, 0, 0};
    write_file(temp_path("four-bit.bmp"), b.bytes());
    // Room for loading the file, none for a copy of its picture.
    std::uint64_t available = memory_reserve + 2048;
    const memory_probe previous = set_memory_probe([&] { return available; });
    TBitmap shared;
    shared.LoadFromFile(temp_path("four-bit.bmp"));
    TBitmap own;
    own.LoadFromFile(temp_path("four-bit.bmp"));
    available = memory_reserve;
    const QImage otherHolder = shared.Image();
    try {
        shared.PixelFormat(pf8bit);
        ADD_FAILURE() << "reduced without counting its copy";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("to reduce it to 8 bits"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(shared.PixelFormat(), pf4bit);
    own.PixelFormat(pf8bit);
    set_memory_probe(previous);
    EXPECT_EQ(pixel_bytes(own), (std::vector<std::uint8_t>{128, 255, 0}));
    EXPECT_EQ(otherHolder.pixelIndex(0, 0), 1);
}

TEST(MemoryBudget, RefusesWhatTheProbeCannotGive)
{
    const memory_probe previous = set_memory_probe([] { return memory_reserve + 1000; });
    EXPECT_NO_THROW(require_memory(10, 10, 1000, "for a test"));
    try {
        require_memory(16384, 8192, 1001, "for a test");
        ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "The 16384 x 8192 picture needs 1001 bytes of memory for a "
                               "test, but only 1000 bytes are available");
    }
    set_memory_probe(previous);
}

// The count holds what the stages really hold at once, the matrix beside the source's
// export while sampling or beside the painted picture, without asking for twice that; it
// saturates rather than wraps.
TEST(MemoryBudget, SpectrumNeedHoldsTheMatrixBesideEitherStage)
{
    TBitmap source;
    source.PixelFormat(pf8bit);
    source.Height(600);
    source.Width(1000);
    std::uint64_t info = 0;
    std::uint64_t bits = 0;
    GetDIBSizes(source.Handle(), info, bits);
    const std::unique_ptr<matrix> spectrum = bitmap_to_matrix(source);
    TBitmap painted;
    matrix_to_bitmap(painted, 2, 0.001, *spectrum);

    const std::uint64_t need = spectrum_bytes(1024, 1024, 600, info + bits);
    const std::uint64_t held = spectrum->size() * sizeof(double);
    EXPECT_GE(need, held + info + bits);
    EXPECT_GE(need, held + static_cast<std::uint64_t>(painted.Image().sizeInBytes()));
    EXPECT_LT(need, 2 * held);
    EXPECT_EQ(spectrum_bytes(std::int64_t{1} << 40, std::int64_t{1} << 40, 1, 0), UINT64_MAX);
    EXPECT_EQ(picture_bytes(std::int64_t{1} << 40, std::int64_t{1} << 40, 32), UINT64_MAX);
}

TEST(MemoryBudget, PaddedPixelCapRefusesByThePaddedSidesBeforeTheMemory)
{
    const std::uint64_t previous = set_padded_pixel_cap(16);
    // Sides of 0 and 1 pad to 1; 3 pads to 4.
    EXPECT_NO_THROW(require_memory(3, 4, 0, "for a test"));
    EXPECT_NO_THROW(require_memory(16, 1, 0, "for a test"));
    EXPECT_NO_THROW(require_memory(-7, 0, 0, "for a test"));
    try {
        require_memory(5, 3, UINT64_MAX, "for a test");
        ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(),
                  "The 5 x 3 picture is padded to 8 x 4 pixels, more than the 16 allowed");
    }
    try {
        require_memory(INT64_MAX, INT64_MAX, 0, "for a test");
        ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find("padded to 9223372036854775808 x 9223372036854775808"),
                  std::string::npos)
            << e.Message();
    }
    EXPECT_EQ(set_padded_pixel_cap(previous), 16u);
    EXPECT_NO_THROW(require_memory(5, 3, 0, "for a test"));
}

#if !defined(__SANITIZE_ADDRESS__)
std::uint64_t mapped_bytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    std::uint64_t kib = 0;
    while (status >> key && key != "VmSize:") {
    }
    status >> kib;
    return kib * 1024;
}

// The real probe sees an address-space limit set on the process (the sanitizers
// reserve terabytes of address space, so this runs only in builds without them).
TEST(MemoryBudgetDeathTest, AddressSpaceLimitBoundsTheAvailableMemory)
{
    EXPECT_EXIT(
        {
            constexpr std::uint64_t headroom = std::uint64_t{100} << 20;
            rlimit limit{};
            getrlimit(RLIMIT_AS, &limit);
            limit.rlim_cur = mapped_bytes() + headroom;
            setrlimit(RLIMIT_AS, &limit);
            const std::uint64_t available = available_memory();
            bool refused = false;
            try {
                require_memory(8192, 8192, headroom, "for a test");
            } catch (const Exception&) {
                refused = true;
            }
            _exit(available > headroom / 2 && available <= headroom && refused ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
#endif

} // namespace

namespace {

// Image2's bitmap of the window, holding an 8-bit picture of the given sides.
TBitmap& spectrum_target(TForm1& form, int width, int height)
{
    TBitmap* target = form.Image2->Picture()->Bitmap();
    target->PixelFormat(pf8bit);
    target->Height(height);
    target->Width(width);
    return *target;
}

// A spectrum too large for the memory is refused before its matrix is allocated; the
// previous spectrum picture stays, and no pipeline message is shown.
TEST(HostilePipeline, SpectrumTooLargeForTheMemoryIsRefusedWithItsNeed)
{
    TBitmap source;
    source.PixelFormat(pf8bit);
    source.Height(3000);
    source.Width(4000);
    TForm1 form;
    const TBitmap& target = spectrum_target(form, 2, 2);
    message_recorder messages;
    const memory_probe previous = set_memory_probe([] { return std::uint64_t{256} << 20; });
    SourceBitmap = &source;
    try {
        form.PoliczFFTClick();
        ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "The 4000 x 3000 picture needs 272.0 MiB of memory for its "
                               "spectrum, but only 192.0 MiB are available");
    }
    set_memory_probe(previous);
    SourceBitmap = nullptr;
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(Spectrum, nullptr);
    EXPECT_EQ(target.Width(), 2);
    EXPECT_EQ(target.Height(), 2);
}

// Painting sets the height first: a target still holding a wide picture would pass
// through a picture of its old width and the new height, which no count holds.
TEST(HostilePipeline, ATargetHoldingAWidePictureIsPaintedWithoutAPictureInBetween)
{
    TBitmap source;
    source.PixelFormat(pf8bit);
    source.Height(4096);
    source.Width(1);
    message_recorder messages;
    // Enough for the tall picture's spectrum (113 KiB), not for the 16 MiB of a picture
    // 4096 pixels wide and 4096 tall.
    const memory_probe previous =
        set_memory_probe([] { return memory_reserve + (std::uint64_t{1} << 20); });
    TForm1 form;
    const TBitmap& target = spectrum_target(form, 4096, 1);
    SourceBitmap = &source;
    form.PoliczFFTClick();
    SourceBitmap = nullptr;
    set_memory_probe(previous);
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    EXPECT_EQ(target.Width(), 1);
    EXPECT_EQ(target.Height(), 4096);
}

} // namespace

namespace {

// Findings of the fuzzer, each kept as the case that showed it.
TEST(FuzzFindings, SizingAnEmptyBitmapHeightFirstCopiesNothing)
{
    // Painting a spectrum sets Height before Width; the sanitizers caught the resize
    // copying rows out of the not yet existing picture.
    TBitmap bitmap;
    bitmap.PixelFormat(pf8bit);
    bitmap.Height(4);
    bitmap.Width(5);
    ASSERT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(pixel_bytes(bitmap), std::vector<std::uint8_t>(20, 0));
}

} // namespace

namespace {

TEST(FuzzFindings, AnEmptyMaskInALongHeaderIsRefusedWithoutShiftingPastTheWord)
{
    RawBmp b = masked16(7, 5, {0, 0x03e0, 0x001f});
    b.header_size = 108;
    write_file(temp_path("empty-mask.bmp"), b.bytes());
    TBitmap bitmap;
    EXPECT_THROW(bitmap.LoadFromFile(temp_path("empty-mask.bmp")), Exception);
}

} // namespace
