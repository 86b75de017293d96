// widmo-cli's files, byte for byte: under valgrind's memcheck no byte it writes may come
// from memory nothing has set, and a second run on the same input writes the same files.
#include "bmp_builder.h"
#include "bmp_writer.h"

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The status valgrind gives a run in which it saw an error.
constexpr int memcheck_error = 99;

// Builds with AddressSanitizer or ThreadSanitizer cannot run under valgrind; there the
// two runs are only compared.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool memcheck_usable = false;
#else
constexpr bool memcheck_usable = true;
#endif

struct Run
{
    int status = -1;
    std::string err;
};

Run run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(300000);
    const bool normal = process.exitStatus() == QProcess::NormalExit;
    return {normal ? process.exitCode() : -1, process.readAllStandardError().toStdString()};
}

Run cli_under_memcheck(const QStringList& arguments)
{
    if (!memcheck_usable) {
        return run(WIDMO_CLI, arguments);
    }
    return run("valgrind",
               QStringList{"-q", "--error-exitcode=" + QString::number(memcheck_error), WIDMO_CLI} +
                   arguments);
}

std::string contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Runs widmo-cli on `input` twice, under memcheck and plainly, each with its own outputs
// (and --npy when asked), the picture in the format of `extension`; returns the status both
// runs gave.
int expect_defined_and_repeated(const std::string& input, bool npy,
                                const std::string& extension = ".bmp",
                                const QStringList& options = {})
{
    SCOPED_TRACE(input + extension);
    std::vector<std::string> outputs[2];
    Run runs[2];
    for (int i = 0; i < 2; ++i) {
        const std::string stem = input + ".run" + std::to_string(i);
        outputs[i] = {stem + extension};
        QStringList arguments =
            QStringList{QString::fromStdString(input), QString::fromStdString(stem + extension)} +
            options;
        if (npy) {
            outputs[i].push_back(stem + ".npy");
            arguments << "--npy" << QString::fromStdString(stem + ".npy");
        }
        runs[i] = i == 0 ? cli_under_memcheck(arguments) : run(WIDMO_CLI, arguments);
    }
    EXPECT_NE(runs[0].status, memcheck_error) << runs[0].err;
    EXPECT_EQ(runs[0].status, runs[1].status) << runs[0].err << runs[1].err;
    const bool written = runs[1].status == 0 || runs[1].status == 2;
    for (std::size_t k = 0; k < outputs[0].size(); ++k) {
        EXPECT_EQ(std::filesystem::exists(outputs[0][k]), written) << outputs[0][k];
        EXPECT_EQ(std::filesystem::exists(outputs[1][k]), written) << outputs[1][k];
        EXPECT_TRUE(contents(outputs[0][k]) == contents(outputs[1][k])) << outputs[0][k];
    }
    return runs[1].status;
}

std::vector<std::uint32_t> levels(int count)
{
    std::vector<std::uint32_t> values(count);
    for (int i = 0; i < count; ++i) {
        values[i] = (i * 37 + 11) % 256;
    }
    return values;
}

// Spectrum pictures one and two pixels wide have rows shorter than their 4-byte stored
// rows; the .npy file holds the whole matrix.
TEST(DefinedBytes, NarrowSpectrumPicturesAndTheSpectrumFile)
{
    const std::string oneWide = temp_path("one-wide.bmp");
    write_bmp(oneWide, grey_picture(1, 77, levels(77)));
    EXPECT_EQ(expect_defined_and_repeated(oneWide, false), 0);
    const std::string twoWide = temp_path("two-wide.bmp");
    write_bmp(twoWide, grey_picture(2, 9, levels(18)));
    EXPECT_EQ(expect_defined_and_repeated(twoWide, true), 0);
    EXPECT_EQ(expect_defined_and_repeated(oneWide, true), 0);
}

// A colour table shorter than its count, the pixels starting where the table would still
// go on: read as the file says or refused, never filled from memory.
TEST(DefinedBytes, ShortColourTable)
{
    RawBmp file;
    file.width = 64;
    file.height = 64;
    file.colours.resize(16);
    for (std::uint32_t i = 0; i < 16; ++i) {
        file.colours[i] = i * 0x111111;
    }
    file.colourCount = 256;
    for (std::uint32_t i = 0; i < 64 * 64; ++i) {
        file.pixels.push_back(static_cast<std::uint8_t>(i % 16));
    }
    const std::string input = temp_path("short-table.bmp");
    write_file(input, file.bytes());
    const int status = expect_defined_and_repeated(input, true);
    EXPECT_TRUE(status == 0 || status == 1) << status;
}

// PNG and PGM pictures of a PNG input, one and three pixels wide: Qt's rows are longer.
TEST(DefinedBytes, PngAndPgmPicturesOfAPngInput)
{
    for (const int width : {1, 3}) {
        QImage picture(width, 5, QImage::Format_Grayscale8);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < width; ++x) {
                picture.scanLine(y)[x] = static_cast<std::uint8_t>(40 * y + 7 * x);
            }
        }
        const std::string input = temp_path("narrow-" + std::to_string(width) + ".png");
        ASSERT_TRUE(picture.save(QString::fromStdString(input), "PNG"));
        for (const char* extension : {".png", ".pgm"}) {
            EXPECT_EQ(expect_defined_and_repeated(input, false, extension, {"--mode", "log"}), 0);
        }
    }
}

} // namespace
