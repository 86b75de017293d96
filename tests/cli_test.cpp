#include "bmp_writer.h"
#include "direct_dft.h"
#include "folder_entries.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
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
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

struct Outcome
{
    int status = -1;
    std::string out;
    std::string err;
};

// Runs widmo-cli in `folder` (this process's own when empty), with `input` on its standard
// input.
Outcome run_cli(const QStringList& arguments, const QByteArray& input = {},
                const std::string& folder = {})
{
    QProcess process;
    if (!folder.empty()) {
        process.setWorkingDirectory(QString::fromStdString(folder));
    }
    process.start(QStringLiteral(WIDMO_CLI), arguments);
    process.write(input);
    process.closeWriteChannel();
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
    const std::uint32_t info_size = le32(b, 14);
    EXPECT_EQ(b.at(28), 8) << "bits per pixel";
    EXPECT_EQ(le32(b, 30), 0u) << "compression";
    const std::uint32_t colours = le32(b, 46) == 0 ? 256 : le32(b, 46);
    EXPECT_EQ(colours, 256u);
    for (std::uint32_t i = 0; i < colours; ++i) {
        EXPECT_EQ(le32(b, 14 + info_size + 4 * i) & 0xffffff, i * 0x010101) << "palette " << i;
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

// The samples of a grey picture, padded with zeros to w x h.
std::vector<std::complex<double>> padded_samples(const std::vector<int>& grey, int width,
                                                 int height, int w, int h)
{
    std::vector<std::complex<double>> a(std::size_t(w) * h);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            a[std::size_t(y) * w + x] = grey[std::size_t(y) * width + x];
        }
    }
    return a;
}

Centred centred_dft(const std::vector<std::complex<double>>& a, int w, int h)
{
    const auto dft = direct_dft(a, {std::size_t(h), std::size_t(w)}, +1);
    Centred c{w, h, {}};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            c.values.push_back(dft[std::size_t((y + h / 2) % h) * w + (x + w / 2) % w]);
        }
    }
    return c;
}

Centred centred_spectrum(const std::vector<int>& grey, int width, int height)
{
    const int w = padded(width);
    const int h = padded(height);
    return centred_dft(padded_samples(grey, width, height, w, h), w, h);
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
        {"--mode", "lg", q(input), output},
        {"--mode", "-1", q(input), output},
        {"--window", "hamming", q(input), output},
        {"--pad", "one", q(input), output},
        {"--format", "jpg", q(input), output},
        {"--format", "png", q(input), output},
        {"--npy", "-", q(input), output},
        {"--output-dir", q(temp_path("args-dir"))},
        {"--output-dir", q(temp_path("args-dir")), "-"},
        {"--output-dir", q(temp_path("args-dir")), "--npy=x.npy", q(input)},
        // A batch's old "--npy" before the inputs would take the first one for a file.
        {"--output-dir", q(temp_path("args-dir")), "--npy", q(input), q(input)},
        {"--output-dir", q(temp_path("args-dir")), "--no-picture", q(input)},
        {"--npy-beside", q(input), output},
        {"--files-from", q(input), q(input), output},
        {"-0", q(input), output},
        {"--output-dir", q(temp_path("args-dir")), "--null", q(input)},
        {"--no-picture", q(input), output, "--npy", q(temp_path("args.npy"))},
        {"--no-picture", q(input)},
        {q(input), "--npy", q(temp_path("args.npy")), "--no-picture", output},
    };
    for (const QStringList& arguments : bad) {
        const Outcome run = run_cli(arguments);
        EXPECT_EQ(run.status, 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(one_error_line(run)) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(output.toStdString()));
    EXPECT_FALSE(std::filesystem::exists(temp_path("args-dir")));
    EXPECT_FALSE(std::filesystem::exists(temp_path("args.npy")));

    const Outcome help = run_cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: widmo-cli")) << help.out;
    for (const char* shown : {"Default: amplitude.", "Default: 0.001.", "Default: none.",
                              "Default: zero.", "Default: bmp.", "--output-dir DIR"}) {
        EXPECT_NE(help.out.find(shown), std::string::npos) << shown;
    }
    const Outcome version = run_cli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("widmo-cli ")) << version.out;
}

// A random grey picture written as a BMP file, with its levels.
struct GreyInput
{
    int width;
    int height;
    std::vector<int> levels;
    std::string path;
};

GreyInput grey_input(const std::string& name, int width, int height, unsigned seed)
{
    GreyInput input{width, height, random_levels(std::size_t(width) * height, seed),
                    temp_path(name)};
    write_bmp(input.path, grey_picture(width, height, {input.levels.begin(), input.levels.end()}));
    return input;
}

GreyFile run_for_picture(const QStringList& arguments)
{
    const Outcome run = run_cli(arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    return decode_grey_bmp(read_bytes(arguments[1].toStdString()));
}

// Levels 0 and 255 are neighbours on the phase's circle.
int circular_distance(int a, int b)
{
    const int d = std::abs(a - b);
    return std::min(d, 256 - d);
}

TEST(WidmoCliDisplays, LogAndPhasePaintTheirFormulasOfTheCentredSpectrum)
{
    const GreyInput input = grey_input("displays.bmp", 6, 5, 21);
    const Centred want = centred_spectrum(input.levels, input.width, input.height);
    std::vector<double> logs;
    for (const auto& value : want.values) {
        logs.push_back(std::log1p(std::abs(value)));
    }
    const auto [lowest, highest] = std::minmax_element(logs.begin(), logs.end());

    // --scale does not change either display.
    const GreyFile log =
        run_for_picture({q(input.path), q(temp_path("log.bmp")), "--mode", "log", "--scale", "7"});
    const GreyFile phase =
        run_for_picture({q(input.path), q(temp_path("phase.bmp")), "-m", "phase"});
    ASSERT_EQ(log.pixels.size(), want.values.size());
    ASSERT_EQ(phase.pixels.size(), want.values.size());
    for (std::size_t k = 0; k < want.values.size(); ++k) {
        const double exact_log = 255 * (logs[k] - *lowest) / (*highest - *lowest);
        EXPECT_TRUE(level_matches(log.pixels[k], exact_log)) << k << ": " << int(log.pixels[k]);
        const std::complex<double> x = want.values[k];
        const double turn = 256 * (std::atan2(x.imag(), x.real()) + M_PI) / (2 * M_PI);
        const int exact_phase = std::min(255, int(std::floor(turn)));
        EXPECT_LE(circular_distance(phase.pixels[k], exact_phase), 1)
            << k << ": " << int(phase.pixels[k]) << " for " << x;
    }
    EXPECT_EQ(*std::min_element(log.pixels.begin(), log.pixels.end()), 0);
    EXPECT_EQ(*std::max_element(log.pixels.begin(), log.pixels.end()), 255);
}

TEST(WidmoCliDisplays, NamesAndNumbersPaintTheSamePicture)
{
    const GreyInput input = grey_input("names.bmp", 5, 4, 22);
    const std::vector<std::pair<QString, QString>> pairs = {
        {"re", "0"}, {"im", "1"}, {"amplitude", "2"}, {"power", "3"}};
    for (const auto& [name, number] : pairs) {
        const QString by_name = q(temp_path("by-name.bmp"));
        const QString by_number = q(temp_path("by-number.bmp"));
        const GreyFile a = run_for_picture({q(input.path), by_name, "-m", name, "-s", "0.05"});
        const GreyFile b = run_for_picture({q(input.path), by_number, "-m", number, "-s", "0.05"});
        EXPECT_EQ(a.pixels, b.pixels) << name.toStdString();
    }
    // The default is the amplitude at 0.001.
    const GreyFile plain = run_for_picture({q(input.path), q(temp_path("plain.bmp"))});
    const GreyFile amplitude = run_for_picture(
        {q(input.path), q(temp_path("amplitude.bmp")), "--mode=amplitude", "--scale=0.001"});
    EXPECT_EQ(plain.pixels, amplitude.pixels);
}

double hann(int n, int side)
{
    return side == 1 ? 1.0 : 0.5 - 0.5 * std::cos(2 * M_PI * n / (side - 1));
}

// The samples the options make of a grey picture, written out: the window over the
// picture's own sides, then the padding's mean of the windowed samples.
std::vector<std::complex<double>> windowed_samples(const GreyInput& input, bool window, bool mean,
                                                   int w, int h)
{
    std::vector<std::complex<double>> a =
        padded_samples(input.levels, input.width, input.height, w, h);
    double sum = 0;
    for (int y = 0; y < input.height; ++y) {
        for (int x = 0; x < input.width; ++x) {
            auto& sample = a[std::size_t(y) * w + x];
            if (window) {
                sample *= hann(y, input.height) * hann(x, input.width);
            }
            sum += sample.real();
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (mean && (x >= input.width || y >= input.height)) {
                a[std::size_t(y) * w + x] = sum / (input.width * input.height);
            }
        }
    }
    return a;
}

TEST(WidmoCliSamples, WindowAndPaddingAreTheSamplesOfTheTransform)
{
    struct Case
    {
        QStringList options;
        bool window;
        bool mean;
    };
    const std::vector<Case> cases = {{{"--window", "hann"}, true, false},
                                     {{"-p", "mean"}, false, true},
                                     {{"-w", "hann", "--pad", "mean"}, true, true},
                                     {{"-w", "none", "-p", "zero"}, false, false}};
    for (const GreyInput& input :
         {grey_input("window.bmp", 5, 3, 23), grey_input("one-column.bmp", 1, 3, 24)}) {
        const int w = padded(input.width);
        const int h = padded(input.height);
        for (const Case& c : cases) {
            const std::string npy = temp_path("window.npy");
            const Outcome run = run_cli(
                QStringList{q(input.path), q(temp_path("window-out.bmp")), "--npy", q(npy)} +
                c.options);
            ASSERT_EQ(run.status, 0) << run.err;
            SCOPED_TRACE(input.path + " " + c.options.join(' ').toStdString());
            expect_npy_spectrum(read_bytes(npy),
                                centred_dft(windowed_samples(input, c.window, c.mean, w, h), w, h));
        }
    }
}

QByteArray file_bytes(const std::string& path)
{
    const std::vector<std::uint8_t> bytes = read_bytes(path);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

void write_pgm(const std::string& path, const GreyInput& input)
{
    std::string bytes =
        "P5\n" + std::to_string(input.width) + " " + std::to_string(input.height) + "\n255\n";
    for (const int level : input.levels) {
        bytes.push_back(char(level));
    }
    write_file(path, {bytes.begin(), bytes.end()});
}

TEST(WidmoCliPictures, PngAndPgmInputsGiveTheSpectrumOfTheBmpTheyCameFrom)
{
    const GreyInput input = grey_input("source.bmp", 7, 6, 25);
    QImage grey(input.width, input.height, QImage::Format_Grayscale8);
    for (int y = 0; y < input.height; ++y) {
        for (int x = 0; x < input.width; ++x) {
            grey.scanLine(y)[x] = std::uint8_t(input.levels[std::size_t(y) * input.width + x]);
        }
    }
    // Named for another format than they hold: the content decides.
    const std::string png = temp_path("source-png.bmp");
    ASSERT_TRUE(grey.save(q(png), "PNG"));
    const std::string pgm = temp_path("source.pgm.png");
    write_pgm(pgm, input);

    run_for_picture({q(input.path), q(temp_path("from-bmp.bmp")), "-m", "log"});
    const QByteArray want = file_bytes(temp_path("from-bmp.bmp"));
    for (const std::string& source : {png, pgm}) {
        const std::string out = temp_path("from-other.bmp");
        run_for_picture({q(source), q(out), "-m", "log"});
        EXPECT_EQ(file_bytes(out), want) << source;
    }

    // A colour picture becomes the grey levels a 24-bit BMP of its colours becomes.
    const std::vector<std::uint32_t> colours = {0x102030, 0xff0000, 0x00ff7f,
                                                0xfefefe, 0x7f00ff, 0x000001};
    write_bmp(temp_path("colour.bmp"), BmpPicture{3, 2, 24, {}, colours, false});
    QImage colour(3, 2, QImage::Format_RGB32);
    for (int k = 0; k < 6; ++k) {
        colour.setPixel(k % 3, k / 3, 0xff000000u | colours[std::size_t(k)]);
    }
    ASSERT_TRUE(colour.save(q(temp_path("colour.png")), "PNG"));
    run_for_picture({q(temp_path("colour.bmp")), q(temp_path("colour-bmp.bmp")), "-m", "3"});
    run_for_picture({q(temp_path("colour.png")), q(temp_path("colour-png.bmp")), "-m", "3"});
    EXPECT_EQ(file_bytes(temp_path("colour-png.bmp")), file_bytes(temp_path("colour-bmp.bmp")));
}

std::vector<std::uint8_t> pgm_pixels(const QByteArray& bytes, int width, int height)
{
    const QByteArray header =
        "P5\n" + QByteArray::number(width) + ' ' + QByteArray::number(height) + "\n255\n";
    EXPECT_TRUE(bytes.startsWith(header));
    EXPECT_EQ(bytes.size(), header.size() + qsizetype(width) * height);
    return {bytes.begin() + header.size(), bytes.end()};
}

TEST(WidmoCliPictures, TheOutputsExtensionPicksItsFormat)
{
    const GreyInput input = grey_input("formats.bmp", 6, 3, 26);
    const GreyFile bmp = run_for_picture({q(input.path), q(temp_path("f.bmp")), "-m", "log"});
    const QStringList png_run = {q(input.path), q(temp_path("f.PNG")), "-m", "log"};
    ASSERT_EQ(run_cli(png_run).status, 0);
    const QByteArray png_bytes = file_bytes(temp_path("f.PNG"));
    const QImage png = QImage::fromData(png_bytes, "PNG");
    ASSERT_EQ(png.format(), QImage::Format_Grayscale8);
    ASSERT_EQ(png.size(), QSize(bmp.width, bmp.height));
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < bmp.width; ++x) {
            EXPECT_EQ(png.constScanLine(y)[x], bmp.at(x, y)) << x << "," << y;
        }
    }
    ASSERT_EQ(run_cli(png_run).status, 0);
    EXPECT_EQ(file_bytes(temp_path("f.PNG")), png_bytes) << "the same bytes every time";

    ASSERT_EQ(run_cli({q(input.path), q(temp_path("f.pgm")), "-m", "log", "-f", "pgm"}).status, 0);
    EXPECT_EQ(pgm_pixels(file_bytes(temp_path("f.pgm")), bmp.width, bmp.height), bmp.pixels);
}

TEST(WidmoCliPictures, AnUnknownExtensionIsRefusedBeforeAnythingIsRead)
{
    const std::string fifo = temp_path("unread.fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string output : {"out.jpg", "out", "out.bmp.txt"}) {
        for (const std::string& input : {fifo, temp_path("missing.bmp")}) {
            const Outcome run = run_cli({q(input), q(temp_path(output))});
            EXPECT_EQ(run.status, 1);
            EXPECT_TRUE(one_error_line(run)) << run.err;
            EXPECT_NE(run.err.find("does not end in .bmp, .png or .pgm"), std::string::npos)
                << run.err;
            EXPECT_FALSE(std::filesystem::exists(temp_path(output)));
        }
    }
}

TEST(WidmoCliPipes, PicturesComeInOnStandardInputAndGoOutOnStandardOutput)
{
    const GreyInput input = grey_input("piped.bmp", 5, 5, 27);
    const std::string named = temp_path("named.pgm");
    ASSERT_EQ(run_cli({q(input.path), q(named), "-m", "log"}).status, 0);

    const Outcome out = run_cli({q(input.path), "-", "--format", "pgm", "-m", "log"});
    EXPECT_EQ(out.status, 0);
    EXPECT_EQ(out.err, "");
    EXPECT_EQ(QByteArray::fromStdString(out.out), file_bytes(named));

    const Outcome both = run_cli({"-", "-", "-f", "pgm", "-m", "log"}, file_bytes(input.path));
    EXPECT_EQ(both.status, 0) << both.err;
    EXPECT_EQ(QByteArray::fromStdString(both.out), file_bytes(named));

    const std::string from_pipe = temp_path("from-pipe.pgm");
    const Outcome in = run_cli({"-", q(from_pipe), "-m", "log"}, file_bytes(input.path));
    EXPECT_EQ(in.status, 0) << in.err;
    EXPECT_EQ(in.out, "");
    EXPECT_EQ(file_bytes(from_pipe), file_bytes(named));

    // A failure writes nothing to standard output and names the input "-".
    const Outcome bad = run_cli({"-", "-"}, QByteArray("BM not a picture"));
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_TRUE(one_error_line(bad)) << bad.err;
    EXPECT_NE(bad.err.find("\"-\""), std::string::npos) << bad.err;
}

TEST(WidmoCliBatch, GoesOnPastABrokenFileAndNamesIt)
{
    const std::filesystem::path folder = temp_path("batch-in");
    std::filesystem::create_directory(folder);
    const GreyInput a = grey_input("batch-in/a.bmp", 4, 4, 28);
    const GreyInput c = grey_input("batch-in/c.bmp", 3, 5, 29);
    const std::string broken = (folder / "broken.bmp").string();
    write_file(broken, {'B', 'M', 1, 2, 3});
    const std::string c_png = (folder / "c.png").string();
    ASSERT_TRUE(QImage(q(c.path)).save(q(c_png), "PNG"));
    const std::filesystem::path out = temp_path("batch-out");

    const Outcome run = run_cli({"--output-dir", q(out.string()), q(a.path), q(broken), q(c_png),
                                 "--npy-beside", "-m", "log"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(one_error_line(run)) << run.err;
    EXPECT_NE(run.err.find(broken), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("ends inside its header"), std::string::npos) << run.err;
    EXPECT_EQ(folder_entries(out), (std::vector<std::string>{"a.bmp", "a.npy", "c.bmp", "c.npy"}));
    for (const GreyInput* single : {&a, &c}) {
        const std::string name = std::filesystem::path(single->path).stem().string();
        const std::string alone = temp_path("alone-" + name + ".bmp");
        const std::string alone_npy = temp_path("alone-" + name + ".npy");
        ASSERT_EQ(run_cli({q(single->path), q(alone), "-m", "log", "--npy", q(alone_npy)}).status,
                  0);
        EXPECT_EQ(file_bytes((out / (name + ".bmp")).string()), file_bytes(alone)) << name;
        EXPECT_EQ(file_bytes((out / (name + ".npy")).string()), file_bytes(alone_npy)) << name;
    }

    // All written: status 0 and, standard error being no terminal, no progress line.
    const std::filesystem::path pgm = temp_path("batch-pgm");
    const Outcome good = run_cli({"-o", q(pgm.string()), "-f", "pgm", q(a.path), q(c.path)});
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.err, "");
    EXPECT_EQ(folder_entries(pgm), (std::vector<std::string>{"a.pgm", "c.pgm"}));

    // Two inputs of one name: the second would overwrite the first, and is refused.
    const Outcome twice = run_cli({"-o", q(pgm.string()), q(c.path), q(c_png)});
    EXPECT_EQ(twice.status, 1);
    EXPECT_TRUE(one_error_line(twice)) << twice.err;
    EXPECT_NE(twice.err.find(c_png), std::string::npos) << twice.err;
    EXPECT_TRUE(std::filesystem::exists(pgm / "c.bmp"));
}

// A colour picture of random pixels: slow to decode from PNG, as a photograph is.
QImage noise_picture(int width, int height, unsigned seed)
{
    QImage picture(width, height, QImage::Format_RGB32);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(picture.scanLine(y));
        std::generate(row, row + width, [&] { return std::uint32_t(random()) | 0xff000000U; });
    }
    return picture;
}

TEST(WidmoCliNpy, OnlyTheSpectrumIsWrittenWhenNoPictureIsAsked)
{
    const GreyInput a = grey_input("npy-a.bmp", 5, 3, 31);
    const GreyInput c = grey_input("npy-c.bmp", 2, 6, 32);
    const std::filesystem::path folder = temp_path("npy-only");
    std::filesystem::create_directories(folder / "other");
    std::vector<QByteArray> with_picture;
    for (const GreyInput* input : {&a, &c}) {
        const std::string npy = temp_path("with-picture.npy");
        ASSERT_EQ(
            run_cli({q(input->path), q(temp_path("with-picture.bmp")), "--npy", q(npy)}).status, 0);
        with_picture.push_back(file_bytes(npy));
    }

    for (const QStringList& asked : {QStringList{"--npy", "alone.npy", q(a.path)},
                                     QStringList{q(a.path), "--no-picture", "--npy=alone.npy"}}) {
        const Outcome run = run_cli(asked, {}, (folder / "other").string());
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(folder_entries(folder / "other"), std::vector<std::string>{"alone.npy"});
        EXPECT_EQ(file_bytes((folder / "other" / "alone.npy").string()), with_picture[0]);
        std::filesystem::remove(folder / "other" / "alone.npy");
    }

    const std::filesystem::path out = folder / "out";
    const Outcome batch =
        run_cli({"-o", q(out.string()), "--npy-beside", "--no-picture", q(a.path), q(c.path)});
    EXPECT_EQ(batch.status, 0) << batch.err;
    EXPECT_EQ(folder_entries(out), (std::vector<std::string>{"npy-a.npy", "npy-c.npy"}));
    EXPECT_EQ(file_bytes((out / "npy-a.npy").string()), with_picture[0]);
    EXPECT_EQ(file_bytes((out / "npy-c.npy").string()), with_picture[1]);

    // Without pictures, two inputs of one name would still write one .npy file. The
    // second is refused at once, while the first is still being decoded: its line must
    // not be lost while the decoders' own lines are kept off standard error.
    const std::string slow = (folder / "npy-slow.png").string();
    ASSERT_TRUE(noise_picture(1800, 1800, 33).save(q(slow), "PNG"));
    const std::string twin = (folder / "other" / "npy-slow.bmp").string();
    write_file(twin, read_bytes(c.path));
    const Outcome twice =
        run_cli({"-o", q(out.string()), "--npy-beside", "--no-picture", q(slow), q(twin)});
    EXPECT_EQ(twice.status, 1);
    EXPECT_TRUE(one_error_line(twice)) << twice.err;
    EXPECT_NE(twice.err.find(twin + ": its output"), std::string::npos) << twice.err;
    EXPECT_TRUE(std::filesystem::exists(out / "npy-slow.npy"));
    EXPECT_EQ(file_bytes((out / "npy-a.npy").string()), with_picture[0]);
}

std::vector<std::uint8_t> bytes_of(const std::string& text)
{
    return {text.begin(), text.end()};
}

TEST(WidmoCliFilesFrom, ListedNamesAreTakenByteForByte)
{
    const std::filesystem::path folder = temp_path("listed");
    std::filesystem::create_directory(folder);
    const std::vector<std::string> names = {" lead.bmp", "trail .bmp", "new\nline.bmp",
                                            "plain.bmp"};
    for (std::size_t k = 0; k < names.size(); ++k) {
        write_bmp((folder / names[k]).string(),
                  grey_picture(3, 2, {std::uint32_t(k), 7, 50, 9, 200, 3}));
    }
    write_file((folder / "list").string(), bytes_of(" lead.bmp\ntrail .bmp\n"));

    const Outcome lines =
        run_cli({"-o", "by-line", "--files-from", "list", "plain.bmp"}, {}, folder.string());
    EXPECT_EQ(lines.status, 0) << lines.err;
    EXPECT_EQ(folder_entries(folder / "by-line"),
              (std::vector<std::string>{" lead.bmp", "plain.bmp", "trail .bmp"}));
    ASSERT_EQ(run_cli({" lead.bmp", "alone.bmp"}, {}, folder.string()).status, 0);
    EXPECT_EQ(file_bytes((folder / "by-line" / " lead.bmp").string()),
              file_bytes((folder / "alone.bmp").string()));

    const std::string nul_list("new\nline.bmp\0 lead.bmp", 22);
    const Outcome nuls = run_cli({"-o", "by-nul", "--files-from", "-", "-0"},
                                 QByteArray::fromStdString(nul_list), folder.string());
    EXPECT_EQ(nuls.status, 0) << nuls.err;
    EXPECT_EQ(folder_entries(folder / "by-nul"),
              (std::vector<std::string>{" lead.bmp", "new\nline.bmp"}));

    // A shard of a list may name nothing: a batch of nothing, done.
    const Outcome none =
        run_cli({"--output-dir", "none", "--files-from", "-"}, {}, folder.string());
    EXPECT_EQ(none.status, 0) << none.err;
    EXPECT_EQ(none.err, "");
}

TEST(WidmoCliFilesFrom, ABadListIsRefusedBeforeAnythingIsWritten)
{
    const std::filesystem::path folder = temp_path("bad-lists");
    std::filesystem::create_directory(folder);
    write_bmp((folder / "a.bmp").string(), grey_picture(1, 1, {5}));
    const std::string sparse = (folder / "huge-list").string();
    write_file(sparse, {});
    std::filesystem::resize_file(sparse, (64u << 20) + 1);
    struct Case
    {
        std::string list;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"a.bmp\n\na.bmp\n", "name 2 is empty"},
        {"\n", "name 1 is empty"},
        {"a.bmp\n" + std::string(4096, 'x') + "\n", "name 2 is longer than 4095 bytes"},
        {std::string("a.bmp\0a.bmp\n", 12), "name 1 holds a NUL byte"},
        {"a.bmp\n\xff.bmp\n", "name 2 is no valid name"},
    };
    for (const Case& c : cases) {
        const Outcome run = run_cli({"-o", "out", "--files-from", "-"},
                                    QByteArray::fromStdString(c.list), folder.string());
        EXPECT_EQ(run.status, 1) << c.reason;
        EXPECT_TRUE(one_error_line(run)) << run.err;
        EXPECT_NE(run.err.find("--files-from -: " + c.reason), std::string::npos) << run.err;
    }
    const Outcome huge = run_cli({"-o", "out", "--files-from", "huge-list"}, {}, folder.string());
    EXPECT_EQ(huge.status, 1);
    EXPECT_NE(huge.err.find("larger than 64 MiB"), std::string::npos) << huge.err;
    const Outcome missing = run_cli({"-o", "out", "--files-from", "no-list"}, {}, folder.string());
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(one_error_line(missing)) << missing.err;
    EXPECT_EQ(folder_entries(folder), (std::vector<std::string>{"a.bmp", "huge-list"}));

    // The longest name taken is one byte shorter: the system then refuses the file itself.
    const Outcome longest =
        run_cli({"-o", "out", "--files-from", "-"}, QByteArray(4095, 'x'), folder.string());
    EXPECT_EQ(longest.status, 1);
    EXPECT_EQ(longest.err.find("--files-from"), std::string::npos) << longest.err;
}

std::vector<std::string> lines_starting(const std::string& text, const std::string& start)
{
    std::vector<std::string> found;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        if (text.compare(at, start.size(), start) == 0) {
            found.push_back(text.substr(at + start.size(), end - at - start.size()));
        }
        at = end + 1;
    }
    return found;
}

TEST(WidmoCliHelp, EndsWithExamplesAndStatesTheTransformsSign)
{
    const std::string numpy = "np.conj(np.fft.fftshift(np.fft.fft2(img, s=(H, W))))";
    const Outcome help = run_cli({"--help"});
    ASSERT_EQ(help.status, 0);
    std::vector<std::string> titles;
    for (const std::string& line : lines_starting(help.out, "")) {
        if (!line.empty() && line.front() != ' ' && line.back() == ':') {
            titles.push_back(line);
        }
    }
    EXPECT_EQ(titles,
              (std::vector<std::string>{"Options:", "Pictures:", "Batches:", "The transform:",
                                        "Exit status:", "Environment:", "Examples:"}))
        << help.out;
    EXPECT_NE(help.out.find("  " + numpy + "\n"), std::string::npos) << help.out;
    std::string words = help.out; // every run of spaces and newlines made one space
    std::replace(words.begin(), words.end(), '\n', ' ');
    words.erase(std::unique(words.begin(), words.end(),
                            [](char a, char b) { return a == ' ' && b == ' '; }),
                words.end());
    EXPECT_NE(words.find("F(u, v) = sum over y and x of f(y, x) exp(+2 pi i (u y / H + v x / W))"),
              std::string::npos)
        << words;

    std::ifstream file(WIDMO_CLI_MANUAL);
    const std::string manual{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(lines_starting(manual, ".SH "),
              (std::vector<std::string>{"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "EXIT STATUS",
                                        "ENVIRONMENT", "EXAMPLES", "SEE ALSO"}));
    EXPECT_NE(manual.find(".SH NAME\nwidmo\\-cli \\- centred Fourier spectrum of a picture as a "
                          "grey picture\n.SH"),
              std::string::npos)
        << manual;
    EXPECT_NE(manual.find("np.conj(np.fft.fftshift(np.fft.fft2(img, s=(H, W))))"),
              std::string::npos);
    EXPECT_NE(manual.find(".SH SEE ALSO\n\\fBwidmo\\fR(1)\n"), std::string::npos);
}

} // namespace

namespace {

// `jpeg` with an EXIF block after its start that gives the orientation `orientation`.
QByteArray with_orientation(const QByteArray& jpeg, char orientation)
{
    const QByteArray exif = QByteArray("\xff\xe1\x00\x22"
                                       "Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0",
                                       29) +
                            orientation + QByteArray(6, '\0');
    return jpeg.left(2) + exif + jpeg.mid(2);
}

QByteArray encoded(const QImage& picture, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, format));
    return bytes;
}

// widmo-cli's BMP spectrum of a picture file holding `bytes`.
QByteArray spectrum_of(const QByteArray& bytes, const std::string& name)
{
    write_file(temp_path(name), {bytes.begin(), bytes.end()});
    const std::string out = temp_path(name + ".bmp");
    EXPECT_EQ(run_cli({q(temp_path(name)), q(out)}).status, 0) << name;
    return file_bytes(out);
}

} // namespace

// A photograph is taken as viewers show it, and a colour as it is stored, whatever its
// alpha says: the same spectra as of the picture in a PNG file.
TEST(WidmoCliPictures, PicturesAreTakenAsViewersShowThem)
{
    QImage picture(40, 20, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(x, y, qRgb(x * 6, y * 12, (x * y) % 256));
        }
    }
    const QByteArray jpeg = encoded(picture, "JPEG");
    // Orientation 6: the stored rows are shown turned a quarter clockwise.
    const QImage stored = QImage::fromData(jpeg, "JPEG");
    const QImage shown = stored.transformed(QTransform().rotate(90));
    ASSERT_EQ(shown.size(), QSize(20, 40));
    EXPECT_EQ(spectrum_of(with_orientation(jpeg, 6), "turned.jpg"),
              spectrum_of(encoded(shown, "PNG"), "turned.png"));

    QImage translucent(8, 8, QImage::Format_ARGB32);
    for (int k = 0; k < 64; ++k) {
        translucent.setPixel(k % 8, k / 8, qRgba(k * 4, 255 - k * 3, k * 7 % 256, k % 3 * 127));
    }
    EXPECT_EQ(spectrum_of(encoded(translucent, "TIFF"), "alpha.tif"),
              spectrum_of(encoded(translucent, "PNG"), "alpha.png"));
}
