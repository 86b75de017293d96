#include "TBitmap.h"
#include "TImage.h"
#include "TOpenDialog.h"
#include "Unit1.h"
#include "memory_budget.h"

#include "bitmap_pixels.h"
#include "bmp_builder.h"
#include "bmp_writer.h"
#include "message_recorder.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

// The offscreen window with a good picture and its spectrum shown, its file dialog
// answered by the test and its messages recorded.
class HostileWindow : public testing::Test
{
protected:
    HostileWindow()
    {
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        const std::string good = temp_path("window-good.bmp");
        write_bmp(good,
                  grey_picture(4, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
        Load(good);
        QTest::mouseClick(form.PoliczFFT, Qt::LeftButton);
        picture = shown_picture(form.Image1);
        spectrum = shown_picture(form.Image2);
    }
    ~HostileWindow() override { TOpenDialog::SetChooser(previousChooser); }

    void Load(const std::string& path)
    {
        TOpenDialog::SetChooser([path](const TOpenDialog&) { return std::optional(path); });
        QTest::mouseClick(form.Wczytaj, Qt::LeftButton);
    }

    // One message naming the file and the reason; both pictures as they were; and the
    // window still computes.
    void ExpectRefusedAndUsable(const std::string& path, const std::string& reason)
    {
        SCOPED_TRACE(path);
        messages.texts.clear();
        Load(path);
        ASSERT_EQ(messages.texts.size(), 1u);
        EXPECT_NE(messages.texts[0].find(path), std::string::npos) << messages.texts[0];
        EXPECT_NE(messages.texts[0].find(reason), std::string::npos) << messages.texts[0];
        EXPECT_EQ(shown_picture(form.Image1), picture);
        EXPECT_EQ(shown_picture(form.Image2), spectrum);
        QTest::mouseClick(form.PoliczFFT, Qt::LeftButton);
        EXPECT_EQ(shown_picture(form.Image2), spectrum);
        EXPECT_EQ(messages.texts.size(), 1u);
    }

    message_recorder messages;
    TOpenDialog::Chooser previousChooser = TOpenDialog::SetChooser({});
    TForm1 form;
    QImage picture;
    QImage spectrum;
};

TEST_F(HostileWindow, MalformedFilesAreReportedAndNothingIsLost)
{
    const auto file = [](const std::string& name, const std::vector<std::uint8_t>& bytes) {
        write_file(temp_path(name), bytes);
        return temp_path(name);
    };
    ExpectRefusedAndUsable(file("empty.bmp", {}), "the file is empty");
    RawBmp runPast;
    runPast.width = 2;
    runPast.height = 2;
    runPast.compression = 1;
    runPast.colours = {0, 0xffffff};
    runPast.pixels = {7, 1, 0, 1};
    ExpectRefusedAndUsable(file("run-past.bmp", runPast.bytes()), "runs past the picture");
    RawBmp huge = runPast;
    huge.width = INT32_MAX;
    huge.height = INT32_MAX;
    ExpectRefusedAndUsable(file("huge.bmp", huge.bytes()), "4.0 EiB of memory");
    RawBmp jpeg = runPast;
    jpeg.bits = 24;
    jpeg.compression = 4;
    ExpectRefusedAndUsable(file("jpeg.bmp", jpeg.bytes()), "JPEG compression");
    std::filesystem::create_directory(temp_path("window-folder.bmp"));
    ExpectRefusedAndUsable(temp_path("window-folder.bmp"), "folder");
}

TEST_F(HostileWindow, LongStreamsAndFilesThatAreNotRegularAreReportedAndNothingIsLost)
{
    const std::string jumps = temp_path("window-jumps.bmp");
    write_file(jumps, rle8(64, 64, repeated({0, 2, 0, 255}, 8'421'505)).bytes());
    ExpectRefusedAndUsable(jumps, "jumps past the picture");
    const std::string sparse = temp_path("window-sparse.bmp");
    write_sparse_file(sparse, rle4(64, 64, {}).bytes(), std::uint64_t{4} << 30);
    ExpectRefusedAndUsable(sparse, "runs past the picture's last row");
    std::filesystem::remove(sparse);
    ExpectRefusedAndUsable("/dev/zero", "it is not a regular file");
}

TEST_F(HostileWindow, ASpectrumTooLargeForTheMemoryIsReportedAndTheWindowGoesOn)
{
    struct Case
    {
        int width;
        int height;
        std::uint64_t available;
        std::string message;
    };
    // The matrix, 16 bytes an element, and the larger of the picture's export with the
    // list of its rows (8 bytes a row) and the spectrum picture with the list of its rows.
    // A picture one pixel wide is refused although its matrix and one 8-bit copy would fit.
    const std::vector<Case> cases = {
        {64, 64, 50 << 10,
         "The 64 x 64 picture needs 69.5 KiB of memory for its spectrum, but only 50.0 KiB "
         "are available"},
        {1, 4096, 80 << 10,
         "The 1 x 4096 picture needs 113.0 KiB of memory for its spectrum, but only 80.0 KiB "
         "are available"},
    };
    for (const Case& c : cases) {
        const std::string path = temp_path("window-large.bmp");
        write_bmp(path, grey_picture(c.width, c.height,
                                     std::vector<std::uint32_t>(c.width * c.height, 200)));
        Load(path);
        const memory_probe previous =
            set_memory_probe([&c] { return memory_reserve + c.available; });
        messages.texts.clear();
        QTest::mouseClick(form.PoliczFFT, Qt::LeftButton);
        set_memory_probe(previous);
        EXPECT_EQ(messages.texts, std::vector<std::string>{c.message});
        EXPECT_EQ(shown_picture(form.Image2), spectrum);
    }
    QTest::mouseClick(form.PoliczFFT, Qt::LeftButton);
    EXPECT_EQ(shown_picture(form.Image2).size(), QSize(1, 4096));
}

// How many times loading a file asks for memory.
int memory_requests_of_loading(const std::string& path)
{
    int requests = 0;
    const memory_probe previous = set_memory_probe([&requests] {
        ++requests;
        return UINT64_MAX;
    });
    TBitmap scratch;
    scratch.LoadFromFile(path);
    set_memory_probe(previous);
    return requests;
}

TEST_F(HostileWindow, APictureThatLoadsButCannotBeReducedLeavesThePreviousOne)
{
    BmpPicture colour{64, 64, 24, {}, std::vector<std::uint32_t>(64 * 64, 0x336699), false};
    const std::string path = temp_path("window-colour.bmp");
    write_bmp(path, colour);
    const TBitmap* shown = SourceBitmap;
    // Every request for memory is granted but the one after loading: the reduction's.
    const int loading = memory_requests_of_loading(path);
    const memory_probe previous = set_memory_probe([loading, requests = 0]() mutable {
        return ++requests == loading + 1 ? memory_reserve : UINT64_MAX;
    });
    ExpectRefusedAndUsable(path, "The 64 x 64 picture needs 4.0 KiB of memory to reduce it "
                                 "to 8 bits, but only 0 bytes are available");
    set_memory_probe(previous);
    EXPECT_EQ(SourceBitmap, shown);
    EXPECT_EQ(SourceBitmap->PixelFormat(), pf8bit);
}

// The first file chosen cannot be loaded: there is still no picture to compute.
TEST(HostileFirstLoad, LeavesNoPictureToCompute)
{
    message_recorder messages;
    const TOpenDialog::Chooser previous = TOpenDialog::SetChooser(
        [](const TOpenDialog&) { return std::optional(temp_path("no-such-file.bmp")); });
    TForm1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_EQ(SourceBitmap, nullptr);
    QTest::mouseClick(form.Wczytaj, Qt::LeftButton);
    EXPECT_EQ(SourceBitmap, nullptr);
    EXPECT_EQ(form.Image1->Picture()->Graphic(), nullptr);
    QTest::mouseClick(form.PoliczFFT, Qt::LeftButton);
    TOpenDialog::SetChooser(previous);
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_NE(messages.texts[0].find("no-such-file.bmp"), std::string::npos) << messages.texts[0];
    EXPECT_EQ(messages.texts[1], "Nie pracuje");
}

} // namespace
