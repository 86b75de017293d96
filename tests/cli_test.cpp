#include "bmp_writer.h"
#include "direct_dft.h"
#include "folder_entries.h"

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

struct Outcome
{
    int status = -1;
    std::string out;
    std::string err;
};

Outcome run_cli(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(WIDMO_CLI), arguments);
    process.waitForFinished(120000);
    Outcome outcome;
    outcome.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.out = process.readAllStandardOutput().toStdString();
    outcome.err = process.readAllStandardError().toStdString();
    return outcome;
}

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::vector<std::uint8_t> read_bytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | std::uint32_t(b.at(at + 3)) << 24;
}

// An uncompressed 8-bit BMP file, checked and decoded: pixel bytes with row 0 at the top.
struct GreyFile
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    int at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

GreyFile decode_grey_bmp(const std::vector<std::uint8_t>& b)
{
    EXPECT_EQ(b.at(0), 'B');
    EXPECT_EQ(b.at(1), 'M');
    EXPECT_EQ(le32(b, 2), b.size());
    const std::uint32_t offset = le32(b, 10);
    const std::uint32_t infoSize = le32(b, 14);
    EXPECT_EQ(b.at(28), 8) << "bits per pixel";
    EXPECT_EQ(le32(b, 30), 0u) << "compression";
    const std::uint32_t colours = le32(b, 46) == 0 ? 256 : le32(b, 46);
    EXPECT_EQ(colours, 256u);
    for (std::uint32_t i = 0; i < colours; ++i) {
        EXPECT_EQ(le32(b, 14 + infoSize + 4 * i) & 0xffffff, i * 0x010101) << "palette " << i;
    }
    GreyFile file;
    file.width = static_cast<int>(le32(b, 18));
    const auto storedHeight = static_cast<std::int32_t>(le32(b, 22));
    file.height = std::abs(storedHeight);
    const std::size_t stride = (std::size_t(file.width) + 3) / 4 * 4;
    EXPECT_GE(b.size(), offset + stride * file.height);
    for (int y = 0; y < file.height; ++y) {
        const int stored = storedHeight > 0 ? file.height - 1 - y : y;
        const std::size_t row = offset + stride * stored;
        file.pixels.insert(file.pixels.end(), b.begin() + row, b.begin() + row + file.width);
    }
    return file;
}

int padded(int side)
{
    int p = 1;
    while (p < side) {
        p *= 2;
    }
    return p;
}

// The spectrum of a grey picture by the defining sum, with its zero frequency moved to
// the middle: element (y, x) of the result is frequency (y + H/2, x + W/2) modulo the
// padded sides H and W.
struct Centred
{
    int width;
    int height;
    std::vector<std::complex<double>> values;

    std::complex<double> at(int x, int y) const { return values[std::size_t(y) * width + x]; }
};

Centred centred_spectrum(const std::vector<int>& grey, int width, int height)
{
    const int w = padded(width);
    const int h = padded(height);
    std::vector<std::complex<double>> a(std::size_t(w) * h);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            a[std::size_t(y) * w + x] = grey[std::size_t(y) * width + x];
        }
    }
    const auto dft = direct_dft(a, {std::size_t(h), std::size_t(w)}, +1);
    Centred c{w, h, {}};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            c.values.push_back(dft[std::size_t((y + h / 2) % h) * w + (x + w / 2) % w]);
        }
    }
    return c;
}

// Whether a painted level is the one of `exact` (amplitude or power times the scale),
// allowing either neighbour where rounding in the transform may tip the floor.
bool level_matches(int level, double exact)
{
    const auto clamp = [](double v) { return std::min(255.0, std::floor(v)); };
    return level == clamp(exact - 1e-7) || level == clamp(exact + 1e-7);
}

std::vector<int> random_levels(std::size_t count, unsigned seed)
{
    std::mt19937 engine(seed);
    std::uniform_int_distribution<int> level(0, 255);
    std::vector<int> levels(count);
    std::generate(levels.begin(), levels.end(), [&] { return level(engine); });
    return levels;
}

void expect_npy_spectrum(const std::vector<std::uint8_t>& b, const Centred& want)
{
    ASSERT_GE(b.size(), 10u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 8), std::string("\x93NUMPY\x01\x00", 8));
    const std::size_t headerEnd = 10 + (b[8] | b[9] << 8);
    EXPECT_EQ(headerEnd % 64, 0u);
    const std::string header(b.begin() + 10, b.begin() + headerEnd);
    EXPECT_NE(header.find("'descr': '<c16'"), std::string::npos) << header;
    EXPECT_NE(header.find("'fortran_order': False"), std::string::npos) << header;
    const std::string shape =
        "'shape': (" + std::to_string(want.height) + ", " + std::to_string(want.width) + ")";
    EXPECT_NE(header.find(shape), std::string::npos) << header;
    ASSERT_EQ(b.size(), headerEnd + 16 * want.values.size());
    for (std::size_t k = 0; k < want.values.size(); ++k) {
        double pair[2];
        std::memcpy(pair, b.data() + headerEnd + 16 * k, sizeof pair);
        EXPECT_NEAR(pair[0], want.values[k].real(), 1e-8) << k;
        EXPECT_NEAR(pair[1], want.values[k].imag(), 1e-8) << k;
    }
}

TEST(WidmoCli, WritesTheCentredAmplitudeOfAPaddedGreyPicture)
{
    const int width = 6;
    const int height = 5;
    const std::vector<int> grey = random_levels(width * height, 11);
    const std::string input = temp_path("ramp.bmp");
    write_bmp(input, grey_picture(width, height, {grey.begin(), grey.end()}));
    const std::string output = temp_path("ramp-spectrum.bmp");
    const std::string npy = temp_path("ramp-spectrum.npy");

    const Outcome run = run_cli({q(input), q(output), "--scale", "0.01", "--npy", q(npy)});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const Centred want = centred_spectrum(grey, width, height);
    const GreyFile got = decode_grey_bmp(read_bytes(output));
    ASSERT_EQ(got.width, 8);
    ASSERT_EQ(got.height, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_TRUE(level_matches(got.at(x, y), std::abs(want.at(x, y)) * 0.01))
                << x << "," << y << ": " << got.at(x, y) << " for " << want.at(x, y);
        }
    }
    expect_npy_spectrum(read_bytes(npy), want);
}

TEST(WidmoCli, ReducesAColourPictureToGreyAndPaintsThePower)
{
    const std::vector<std::uint32_t> colours = {0x102030, 0xff0000, 0x00ff7f};
    const std::string input = temp_path("colour.bmp");
    write_bmp(input, BmpPicture{3, 1, 24, {}, colours, false});
    const std::string output = temp_path("colour-spectrum.bmp");

    const Outcome run = run_cli({q(input), q(output), "-m", "3", "--scale=0.01"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<int> grey;
    for (const std::uint32_t c : colours) {
        grey.push_back(
            (299 * int(c >> 16) + 587 * int((c >> 8) & 0xff) + 114 * int(c & 0xff) + 500) / 1000);
    }
    const Centred want = centred_spectrum(grey, 3, 1);
    const GreyFile got = decode_grey_bmp(read_bytes(output));
    ASSERT_EQ(got.width, 4);
    ASSERT_EQ(got.height, 1);
    for (int x = 0; x < 4; ++x) {
        EXPECT_TRUE(level_matches(got.at(x, 0), std::norm(want.at(x, 0)) * 0.01))
            << x << ": " << got.at(x, 0) << " for " << want.at(x, 0);
    }
}

bool one_error_line(const Outcome& run)
{
    return run.err.starts_with("widmo-cli: ") &&
           std::count(run.err.begin(), run.err.end(), '\n') == 1 && run.err.back() == '\n';
}

TEST(WidmoCli, AFailureWritesNothingAndKeepsTheOldOutput)
{
    const std::filesystem::path folder = temp_path("failures");
    std::filesystem::create_directory(folder);
    const std::string picture = (folder / "picture.bmp").string();
    write_bmp(picture, grey_picture(2, 2, {1, 2, 3, 4}));
    const std::string text = (folder / "notes.bmp").string();
    write_file(text, {'n', 'o', 't', ' ', 'a', ' ', 'B', 'M', 'P'});
    const std::string output = (folder / "old.bmp").string();
    const std::vector<std::uint8_t> old = {'o', 'l', 'd'};
    write_file(output, old);
    std::filesystem::create_directory(folder / "sub");

    const std::vector<QStringList> failing = {
        {q((folder / "missing.bmp").string()), q(output)},
        {q(text), q(output)},
        {q(picture), q((folder / "no-such-folder" / "out.bmp").string())},
        {q(picture), q((folder / "sub").string())},
        {q(picture), q(output), "--npy", q((folder / "no-such-folder" / "s.npy").string())},
    };
    for (const QStringList& arguments : failing) {
        const Outcome run = run_cli(arguments);
        EXPECT_EQ(run.status, 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(one_error_line(run)) << run.err;
        EXPECT_EQ(read_bytes(output), old) << arguments.join(' ').toStdString();
    }
    EXPECT_EQ(folder_entries(folder),
              (std::vector<std::string>{"notes.bmp", "old.bmp", "picture.bmp", "sub"}));
    EXPECT_TRUE(std::filesystem::is_empty(folder / "sub"));
}

TEST(WidmoCli, BadArgumentsGiveAUsageLine)
{
    const std::string input = temp_path("args.bmp");
    write_bmp(input, grey_picture(1, 1, {9}));
    const QString output = q(temp_path("args-out.bmp"));
    const std::vector<QStringList> bad = {
        {"--bogus", q(input), output},
        {"--mode", "4", q(input), output},
        {"--mode", "x", q(input), output},
        {"--scale", "abc", q(input), output},
        {"--scale", "inf", q(input), output},
        {"--scale"},
        {q(input)},
        {q(input), output, output},
        {q(input), output, "--npy", output},
        {"--max-pixels", "0", q(input), output},
        {"--max-pixels", "-4", q(input), output},
        {"--max-pixels", "1e6", q(input), output},
        {"--max-pixels", "18446744073709551616", q(input), output},
    };
    for (const QStringList& arguments : bad) {
        const Outcome run = run_cli(arguments);
        EXPECT_EQ(run.status, 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(one_error_line(run)) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(output.toStdString()));

    const Outcome help = run_cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: widmo-cli")) << help.out;
    const Outcome version = run_cli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("widmo-cli ")) << version.out;
}

} // namespace
