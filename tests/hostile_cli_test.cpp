#include "bmp_builder.h"
#include "bmp_writer.h"
#include "folder_entries.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CliRun
{
    int status = -1;
    std::string err;
};

// Runs widmo-cli; `inChild` runs in the child before the program starts.
CliRun widmo_cli(const std::vector<std::string>& arguments, std::function<void()> inChild = {})
{
    QStringList list;
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    QProcess process;
    if (inChild) {
        process.setChildProcessModifier(inChild);
    }
    process.start(QStringLiteral(WIDMO_CLI), list);
    process.waitForFinished(120000);
    const bool normal = process.exitStatus() == QProcess::NormalExit;
    return {normal ? process.exitCode() : -1, process.readAllStandardError().toStdString()};
}

std::string contents(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void expect_failed_with(const CliRun& run, const std::string& reason)
{
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.err.rfind("widmo-cli: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

// A small tmpfs of its own, mounted for one test: a disk that fills up, or one that
// cannot be written at all. Needs root; Mounted() tells whether it worked.
class SmallDisk
{
public:
    explicit SmallDisk(const std::string& name) : folder(temp_path(name))
    {
        std::filesystem::create_directory(folder);
        mounted = mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    ~SmallDisk()
    {
        if (mounted) {
            umount2(folder.c_str(), MNT_DETACH);
        }
    }

    bool Mounted() const { return mounted; }
    bool MakeReadOnly()
    {
        return mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

    const std::filesystem::path folder;

private:
    bool mounted = false;
};

// A 200 x 200 picture: its 256 x 256 spectrum picture takes more than 64 KiB.
std::string input_picture()
{
    const std::string path = temp_path("input-200.bmp");
    write_bmp(path, grey_picture(200, 200, std::vector<std::uint32_t>(200 * 200, 90)));
    return path;
}

TEST(HostileCli, FullDiskLeavesNoPartFileAndKeepsTheOldOutput)
{
    SmallDisk disk("full-disk");
    if (!disk.Mounted()) {
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
    }
    const std::filesystem::path old = disk.folder / "out.bmp";
    write_file(old.string(), {'o', 'l', 'd'});
    expect_failed_with(widmo_cli({input_picture(), old.string()}), "cannot write");
    EXPECT_EQ(contents(old), "old");
    EXPECT_EQ(folder_entries(disk.folder), std::vector<std::string>{"out.bmp"});
    // The small picture fits, its spectrum file (16 bytes an element) does not: neither
    // may appear.
    const std::string small = temp_path("input-64.bmp");
    write_bmp(small, grey_picture(64, 64, std::vector<std::uint32_t>(64 * 64, 3)));
    expect_failed_with(widmo_cli({small, (disk.folder / "small.bmp").string(), "--npy",
                                  (disk.folder / "spectrum.npy").string()}),
                       "cannot write");
    EXPECT_EQ(folder_entries(disk.folder), std::vector<std::string>{"out.bmp"});
}

TEST(HostileCli, ReadOnlyFolderIsRefusedAndKeepsTheOldOutput)
{
    SmallDisk disk("read-only");
    if (!disk.Mounted()) {
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
    }
    const std::filesystem::path old = disk.folder / "out.bmp";
    write_file(old.string(), {'o', 'l', 'd'});
    ASSERT_TRUE(disk.MakeReadOnly());
    expect_failed_with(widmo_cli({input_picture(), old.string()}), "cannot write");
    EXPECT_EQ(contents(old), "old");
    EXPECT_EQ(folder_entries(disk.folder), std::vector<std::string>{"out.bmp"});
}

// Run-length data that ends at once: a picture of any declared size in 64 bytes.
RawBmp blank_rle(std::int32_t width, std::int32_t height)
{
    RawBmp blank;
    blank.width = width;
    blank.height = height;
    blank.compression = 1;
    blank.colours = {0, 0xffffff};
    blank.pixels = {0, 1};
    return blank;
}

std::string blank_rle_file(const std::string& name, std::int32_t width, std::int32_t height)
{
    const std::string path = temp_path(name);
    write_file(path, blank_rle(width, height).bytes());
    return path;
}

TEST(HostileCli, HostileInputsGiveExitOneWithTheReasonAndWriteNothing)
{
    const std::string output = temp_path("never.bmp");
    const auto expect_refused = [&](const std::vector<std::uint8_t>& bytes,
                                    const std::string& reason) {
        const std::string input = temp_path("hostile-input.bmp");
        write_file(input, bytes);
        expect_failed_with(widmo_cli({input, output}), reason);
        EXPECT_FALSE(std::filesystem::exists(output));
    };
    expect_refused({}, "the file is empty");
    expect_refused({'B', 'M', 0, 0}, "ends inside its header");
    const RawBmp huge = blank_rle(INT32_MAX, INT32_MAX);
    expect_refused(huge.bytes(), "The 2147483647 x 2147483647 picture needs 4.0 EiB of memory");
    RawBmp runPast = huge;
    runPast.width = 4;
    runPast.height = 1;
    runPast.pixels = {9, 1, 0, 1};
    expect_refused(runPast.bytes(), "runs past the picture");
    std::filesystem::create_directory(temp_path("a-folder.bmp"));
    expect_failed_with(widmo_cli({temp_path("a-folder.bmp"), output}), "folder");
}

// A folder of its own holding a small picture, a text file, an earlier output, and links.
struct ClashFolder
{
    explicit ClashFolder(const std::string& name) : folder(temp_path(name))
    {
        std::filesystem::create_directories(folder / "sub");
        std::filesystem::create_directories(folder / "folder.bmp");
        write_bmp(input, grey_picture(4, 4, std::vector<std::uint32_t>(16, 5)));
        write_file(text, {'n', 'o', 't', ' ', 'B', 'M', 'P'});
        write_file(old, {'o', 'l', 'd'});
        std::filesystem::create_hard_link(input, folder / "hard.bmp");
        std::filesystem::create_symlink("in.bmp", folder / "soft.bmp");
        std::filesystem::create_symlink("old.bmp", folder / "to-old.bmp");
        std::filesystem::create_symlink("new.bmp", folder / "to-new.bmp");
        std::filesystem::create_symlink("notes.txt", folder / "soft-text.bmp");
        mkfifo((folder / "fifo.bmp").c_str(), 0600);
        std::filesystem::create_symlink("fifo.bmp", folder / "to-fifo.bmp");
        entries = folder_entries(folder);
        inputBytes = contents(input);
    }

    std::string at(const std::string& name) const { return (folder / name).string(); }

    // Refused with one line holding `reason`, and every file in the folder as it was.
    void ExpectRefused(const std::vector<std::string>& arguments, const std::string& reason) const
    {
        expect_failed_with(widmo_cli(arguments), reason);
        EXPECT_EQ(folder_entries(folder), entries);
        EXPECT_EQ(contents(input), inputBytes);
        EXPECT_EQ(contents(old), "old");
        EXPECT_TRUE(std::filesystem::is_fifo(folder / "fifo.bmp"));
    }

    const std::filesystem::path folder;
    const std::string input = (folder / "in.bmp").string();
    const std::string text = (folder / "notes.txt").string();
    const std::string old = (folder / "old.bmp").string();
    std::vector<std::string> entries;
    std::string inputBytes;
};

TEST(HostileCli, AnOutputThatIsTheInputOrTheOtherOutputIsRefusedBeforeAnyWork)
{
    const ClashFolder f("same-files");
    const std::string isInput = "is the input file";
    f.ExpectRefused({f.input, f.at("sub/../in.bmp")},
                    "OUTPUT " + f.at("sub/../in.bmp") + " " + isInput);
    f.ExpectRefused({f.input, f.at("hard.bmp")}, isInput);
    f.ExpectRefused({f.input, f.at("soft.bmp")}, isInput);
    f.ExpectRefused({f.at("soft.bmp"), f.input}, isInput);
    f.ExpectRefused({f.input, f.at("new.bmp"), "--npy", f.at("hard.bmp")},
                    "--npy " + f.at("hard.bmp") + " " + isInput);
    // Before any work: the input is not even a picture.
    f.ExpectRefused({f.text, f.at("soft-text.bmp")}, isInput);
    const std::string sameAsOutput = "is the same file as OUTPUT";
    f.ExpectRefused({f.input, f.old, "--npy", f.at("to-old.bmp")}, sameAsOutput);
    f.ExpectRefused({f.input, f.at("to-new.bmp"), "--npy", f.at("new.bmp")}, sameAsOutput);
    f.ExpectRefused({f.input, f.at("new.bmp"), "--npy", f.at("sub/../new.bmp")}, sameAsOutput);
    // Different files are written as ever.
    const CliRun run = widmo_cli({f.input, f.at("to-new.bmp"), "--npy", f.at("new.npy")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(f.at("new.bmp")));
    EXPECT_TRUE(std::filesystem::is_symlink(f.at("to-new.bmp")));
}

TEST(HostileCli, AnExistingOutputThatIsNotARegularFileIsLeftAlone)
{
    const ClashFolder f("odd-outputs");
    const std::string reason = "is not a regular file; it is left as it is";
    f.ExpectRefused({f.input, f.at("fifo.bmp")}, "OUTPUT " + f.at("fifo.bmp") + " " + reason);
    f.ExpectRefused({f.input, f.at("to-fifo.bmp")}, reason);
    f.ExpectRefused({f.input, f.at("folder.bmp")}, reason);
    f.ExpectRefused({f.input, f.at("new.bmp"), "--npy", f.at("fifo.bmp")},
                    "--npy " + f.at("fifo.bmp") + " " + reason);
    // A device node such as /dev/null, made where only root may make one (as in CI).
    const std::filesystem::path device = temp_path("device-output") + ".bmp";
    std::filesystem::remove(device);
    if (mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) {
        expect_failed_with(widmo_cli({f.input, device.string()}), reason);
        expect_failed_with(widmo_cli({f.input, f.at("new.bmp"), "--npy", device.string()}), reason);
        EXPECT_TRUE(std::filesystem::is_character_file(device));
        std::filesystem::remove(device);
    }
}

TEST(HostileCli, MaxPixelsCapsThePaddedAreaBeforeThePixelsAreRead)
{
    const std::string large = blank_rle_file("declared-large.bmp", 16384, 16384);
    ASSERT_EQ(std::filesystem::file_size(large), 64u);
    const std::string output = temp_path("capped.bmp");
    expect_failed_with(widmo_cli({"--max-pixels", "1000000", large, output}),
                       "The 16384 x 16384 picture is padded to 16384 x 16384 pixels, more than "
                       "the 1000000 allowed");
    EXPECT_FALSE(std::filesystem::exists(output));

    // 3 x 3 is padded to 4 x 4: 16 pixels.
    const std::string small = temp_path("three.bmp");
    write_bmp(small, grey_picture(3, 3, std::vector<std::uint32_t>(9, 1)));
    expect_failed_with(widmo_cli({small, output, "--max-pixels=15"}),
                       "padded to 4 x 4 pixels, more than the 15 allowed");
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_EQ(widmo_cli({small, output, "--max-pixels=16"}).status, 0);
}

// Sets an address-space limit in the child, where no sanitizer, which reserves terabytes
// of it, is in the way.
std::function<void()> address_space_limit(std::uint64_t bytes)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    (void)bytes;
    return {};
#else
    return [bytes] {
        const rlimit limit{bytes, RLIM_INFINITY};
        setrlimit(RLIMIT_AS, &limit);
    };
#endif
}

TEST(HostileCli, LongStreamsAndFilesThatAreNotRegularAreRefusedAtOnce)
{
    const std::string output = temp_path("never-long.bmp");
    const std::string input = temp_path("long-stream.bmp");
    // 34 MB of jumps 255 rows up, 2^31 rows in all, in both run-length codings.
    const std::vector<std::uint8_t> upward = repeated({0, 2, 0, 255}, 8'421'505);
    for (const auto make : {rle8, rle4}) {
        write_file(input, make(64, 64, upward).bytes());
        expect_failed_with(widmo_cli({input, output}), "jumps past the picture");
    }
    // 4 GiB of ends of row in a hole, read in chunks under a 1 GiB address space.
    write_sparse_file(input, rle8(64, 64, {}).bytes(), std::uint64_t{4} << 30);
    expect_failed_with(widmo_cli({input, output}, address_space_limit(std::uint64_t{1} << 30)),
                       "runs past the picture's last row");
    std::filesystem::remove(input);
    // Nothing writes to the FIFO: a program that waits for a writer never ends.
    const std::string fifo = temp_path("input-fifo.bmp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    expect_failed_with(widmo_cli({fifo, output}), "is not a regular file");
    expect_failed_with(widmo_cli({"/dev/zero", output}), "is not a regular file");
    EXPECT_FALSE(std::filesystem::exists(output));
}

// A colour table shorter than its count ends where the pixel data begins: the picture is
// its stored bytes, the same as in a file with a whole table.
TEST(HostileCli, ShortColourTableGivesTheSpectrumOfTheStoredPixels)
{
    // Pixel data longer than a whole table, which a reader taking the count at its word
    // would read into the table and then run out of.
    RawBmp whole = grey_palette(33, 60);
    for (int i = 0; i < 60 * 36; ++i) {
        whole.pixels.push_back(static_cast<std::uint8_t>(i * 7 % 256));
    }
    RawBmp short_table = whole;
    short_table.colourCount = 256;
    short_table.colours.resize(5);
    write_file(temp_path("whole-table.bmp"), whole.bytes());
    write_file(temp_path("short-table.bmp"), short_table.bytes());
    for (const std::string name : {"whole-table", "short-table"}) {
        const CliRun run = widmo_cli({temp_path(name + ".bmp"), temp_path(name + "-out.bmp")});
        EXPECT_EQ(run.status, 0) << run.err;
    }
    EXPECT_EQ(contents(temp_path("short-table-out.bmp")),
              contents(temp_path("whole-table-out.bmp")));
}

#if !defined(__SANITIZE_ADDRESS__)
// A picture one pixel wide: the lists of its row addresses take half as much as its
// matrix. Under a limit that holds the matrix and one 8-bit copy but not the lists, the
// picture is refused with its whole need, instead of failing half way and writing a
// black picture.
TEST(HostileCli, AddressSpaceLimitCountsTheRowListsOfATallPicture)
{
    const std::string input = blank_rle_file("tall-rle.bmp", 1, 1 << 27);
    const std::string output = temp_path("tall-out.bmp");
    // About 3 GiB are left once the program and its 512 MiB picture are in: more than the
    // 2.5 GiB of the matrix and one copy, less than the 3.5 GiB with the row lists.
    const CliRun run = widmo_cli({input, output}, address_space_limit(std::uint64_t{15} << 28));
    expect_failed_with(run, "The 1 x 134217728 picture needs 3.5 GiB of memory for its spectrum");
    EXPECT_FALSE(std::filesystem::exists(output));
}

// The real memory probe in the real program: under a 1 GiB address-space limit a picture
// that needs 4 GiB is refused with its need, and nothing is killed.
TEST(HostileCli, AddressSpaceLimitRefusesALargePictureWithItsNeed)
{
    const std::string input = blank_rle_file("large-rle.bmp", 65536, 65536);
    const CliRun run =
        widmo_cli({input, temp_path("large-out.bmp")}, address_space_limit(std::uint64_t{1} << 30));
    expect_failed_with(run, "The 65536 x 65536 picture needs 4.0 GiB of memory to load it");
}
#endif

std::uint32_t crc32(const std::string& bytes)
{
    std::uint32_t crc = 0xffffffffu;
    for (const char c : bytes) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

std::string big_endian(std::uint32_t value)
{
    return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

// A PNG file of a few bytes that declares a huge picture: its header, and one empty row.
std::string png_declaring(std::uint32_t width, std::uint32_t height)
{
    const auto chunk = [](const std::string& type, const std::string& data) {
        return big_endian(std::uint32_t(data.size())) + type + data +
               big_endian(crc32(type + data));
    };
    const std::string header =
        big_endian(width) + big_endian(height) + std::string("\x08\0\0\0\0", 5);
    const std::string row("\x78\x9c\x03\x00\x00\x00\x00\x01", 8);
    return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", row) +
           chunk("IEND", "");
}

TEST(HostileCli, APictureForQtsPluginsIsCountedByItsSidesBeforeItIsDecoded)
{
    const std::string input = temp_path("declared-large.png");
    const std::string bytes = png_declaring(60000, 60000);
    write_file(input, {bytes.begin(), bytes.end()});
    const std::string output = temp_path("never-from-png.bmp");
    expect_failed_with(widmo_cli({"--max-pixels", "1000000", input, output}),
                       "The 60000 x 60000 picture is padded to 65536 x 65536 pixels, more than "
                       "the 1000000 allowed");
    expect_failed_with(widmo_cli({input, output}, address_space_limit(std::uint64_t{1} << 30)),
                       "The 60000 x 60000 picture needs");
    EXPECT_FALSE(std::filesystem::exists(output));
}

// Runs widmo-cli with arguments as bytes, which need not be UTF-8; `inChild` runs in the
// child, its standard error already going to the pipe read here, before the program starts.
CliRun widmo_cli_bytes(
    const std::vector<std::string>& arguments, const std::function<void()>& inChild = [] {})
{
    std::vector<char*> argv{const_cast<char*>(WIDMO_CLI)};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    int err[2] = {-1, -1};
    if (pipe(err) != 0) {
        return {};
    }
    const pid_t child = fork();
    if (child == 0) {
        dup2(err[1], STDERR_FILENO);
        close(err[0]);
        close(err[1]);
        inChild();
        execv(WIDMO_CLI, argv.data());
        _exit(127);
    }
    close(err[1]);
    CliRun run;
    char piece[4096];
    for (ssize_t got; (got = read(err[0], piece, sizeof piece)) > 0;) {
        run.err.append(piece, std::size_t(got));
    }
    close(err[0]);
    int status = 0;
    waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string small_picture(const std::string& path)
{
    write_bmp(path, grey_picture(6, 6, std::vector<std::uint32_t>(36, 40)));
    return path;
}

std::filesystem::path fresh_folder(const std::string& name)
{
    const std::filesystem::path folder = temp_path(name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

// Each line of standard error, and the exit status 1.
std::vector<std::string> failed_lines(const CliRun& run)
{
    EXPECT_EQ(run.status, 1) << run.err;
    std::vector<std::string> lines;
    std::istringstream text(run.err);
    for (std::string line; std::getline(text, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool holds(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// The lines of a batch come in the order its inputs are done, which threads decide.
bool has_line(const std::vector<std::string>& lines, const std::string& part)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return holds(line, part); });
}

TEST(HostileCliOutputs, ABatchNeverReplacesOneOfItsInputs)
{
    const std::filesystem::path d = fresh_folder("batch-inputs/d");
    const std::filesystem::path out = fresh_folder("batch-inputs/out");
    const std::string x = small_picture((d / "x.bmp").string());
    const std::string png = (d / "x.png").string();
    ASSERT_EQ(widmo_cli({x, png}).status, 0);
    const std::string z = small_picture((d / "z.bmp").string());
    const std::string xBytes = contents(x);
    // x.png's output is the input x.bmp, which is its own input's output too: both refused.
    std::vector<std::string> lines = failed_lines(widmo_cli({"-o", d.string(), png, x}));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(has_line(lines, png + ": its output " + x + " would replace the input " + x));
    EXPECT_TRUE(has_line(lines, x + ": OUTPUT " + x + " is the input file"));
    EXPECT_EQ(contents(x), xBytes);
    // Another folder, another spelling, and the input that is safe still written.
    const std::string outX = small_picture((out / "x.bmp").string());
    lines = failed_lines(widmo_cli({"-o", (d / "../out").string(), png, outX, z}));
    EXPECT_EQ(lines.size(), 2u);
    EXPECT_TRUE(has_line(lines, png + ": its output "));
    EXPECT_TRUE(has_line(lines, "would replace the input " + outX));
    EXPECT_EQ(contents(outX), xBytes);
    EXPECT_EQ(folder_entries(out), (std::vector<std::string>{"x.bmp", "z.bmp"}));
    // An input that is another's .npy.
    const std::string npy = (d / "x.npy").string();
    write_file(npy, {'n', 'p', 'y'});
    lines = failed_lines(widmo_cli({"--npy-beside", "-o", d.string(), png, npy}));
    EXPECT_EQ(lines.size(), 2u);
    EXPECT_TRUE(has_line(lines, png + ": its output " + npy + " would replace the input " + npy));
    EXPECT_EQ(contents(npy), "npy");
    EXPECT_EQ(contents(x), xBytes);
}

TEST(HostileCliOutputs, ALinkAnotherUserMadeInASharedFolderIsNotFollowed)
{
    const std::filesystem::path shared = fresh_folder("shared");
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
    const std::string target = temp_path("link-target.bmp");
    write_file(target, {'o', 'l', 'd'});
    const std::filesystem::path link = shared / "out.bmp";
    std::filesystem::create_symlink(target, link);
    constexpr uid_t other = 65534;
    if (lchown(link.c_str(), other, other) != 0) {
        GTEST_SKIP() << "cannot give a link to another user here (needs root)";
    }
    const std::string input = small_picture(temp_path("link-input.bmp"));
    expect_failed_with(widmo_cli({input, link.string()}),
                       "OUTPUT " + link.string() + " leads through a link that another user made");
    expect_failed_with(widmo_cli({input, temp_path("fine.bmp"), "--npy", link.string()}),
                       "--npy " + link.string() + " leads through a link");
    EXPECT_EQ(contents(target), "old");
    EXPECT_EQ(folder_entries(shared), std::vector<std::string>{"out.bmp"});
    // The folder's owner's link, and one's own, are followed as the kernel follows them.
    ASSERT_EQ(chown(shared.c_str(), other, other), 0);
    EXPECT_EQ(widmo_cli({input, link.string()}).status, 0);
    EXPECT_TRUE(holds(contents(target), "BM"));
    ASSERT_EQ(chown(shared.c_str(), 0, 0), 0);
    ASSERT_EQ(lchown(link.c_str(), 0, 0), 0);
    write_file(target, {'o', 'l', 'd'});
    EXPECT_EQ(widmo_cli({input, link.string()}).status, 0);
    EXPECT_TRUE(holds(contents(target), "BM"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
}

TEST(HostileCliOutputs, TheSpectrumFileIsNotWrittenWhenStandardOutputFails)
{
    const std::string input = small_picture(temp_path("to-stdout.bmp"));
    const std::filesystem::path folder = fresh_folder("npy-beside-stdout");
    const std::string npy = (folder / "s.npy").string();
    const auto stdout_to = [](const char* device) {
        return [device] { dup2(open(device, O_WRONLY), STDOUT_FILENO); };
    };
    const std::vector<std::pair<std::function<void()>, std::string>> failures = {
        {stdout_to("/dev/full"), "cannot write -: No space left on device"},
        {[] { close(STDOUT_FILENO); }, "cannot write -: Bad file descriptor"},
        {[] {
             int ends[2];
             if (pipe(ends) == 0) {
                 dup2(ends[1], STDOUT_FILENO);
                 close(ends[0]);
             }
         },
         "cannot write -: Broken pipe"}};
    for (const auto& [inChild, reason] : failures) {
        expect_failed_with(widmo_cli_bytes({input, "-", "--npy", npy}, inChild), reason);
        EXPECT_TRUE(folder_entries(folder).empty());
    }
    EXPECT_EQ(widmo_cli_bytes({input, "-", "--npy", npy}, stdout_to("/dev/null")).status, 0);
    EXPECT_EQ(folder_entries(folder), std::vector<std::string>{"s.npy"});
}

TEST(HostileCliOutputs, EmptyNamesAreRefusedAsSuch)
{
    const std::string input = small_picture(temp_path("empty-names.bmp"));
    expect_failed_with(widmo_cli({"-o", "", input, input}),
                       "--output-dir takes a folder name, not an empty one");
    expect_failed_with(widmo_cli({input, temp_path("x.bmp"), "--npy", ""}),
                       "--npy takes a file name, not an empty one");
    EXPECT_FALSE(std::filesystem::exists(temp_path("x.bmp")));
}

TEST(HostileCliNames, NamesInMessagesStayOnOneLineAndSendNoEscapes)
{
    const std::string name = temp_path("two\nlines\x1b[2J\xe2\x80\xae.bmp");
    const std::string shown = temp_path("two\\nlines\\u{001B}[2J\\u{202E}.bmp");
    expect_failed_with(widmo_cli_bytes({name, temp_path("out.bmp")}), shown);
    expect_failed_with(widmo_cli_bytes({small_picture(temp_path("in.bmp")), name + ".txt"}),
                       "OUTPUT " + shown + ".txt does not end in");
    const CliRun batch = widmo_cli_bytes({"-o", temp_path("names-out"), name, "--mode", "\x1b"});
    expect_failed_with(batch, "--mode takes");
    const CliRun inBatch = widmo_cli_bytes({"-o", temp_path("names-out"), name});
    expect_failed_with(inBatch, shown + ": Cannot read the bitmap \"" + shown);
    for (const CliRun* run : {&batch, &inBatch}) {
        EXPECT_FALSE(holds(run->err, "\x1b")) << run->err;
    }
}

TEST(HostileCliNames, NamesThatAreNotUtf8KeepTheirBytes)
{
    const std::filesystem::path folder = fresh_folder("latin1");
    const std::string input = (folder / "caf\xe9.pgm").string();
    write_file(input, {'P', '5', ' ', '2', ' ', '2', ' ', '2', '5', '5', '\n', 1, 2, 3, 4});
    const CliRun first = widmo_cli_bytes({input, (folder / "spectrum-\xe9.bmp").string()});
    EXPECT_EQ(first.status, 0) << first.err;
    const CliRun second = widmo_cli_bytes({input, (folder / "spectrum-\xff.pgm").string()});
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(folder_entries(folder),
              (std::vector<std::string>{"caf\xe9.pgm", "spectrum-\xe9.bmp", "spectrum-\xff.pgm"}));
    expect_failed_with(widmo_cli_bytes({(folder / "gone\xe9.pgm").string(), "-"}),
                       "gone\\xE9.pgm\": there is no such file");

    // The list's own name too.
    const std::string listed_input = (folder / "listed.pgm").string();
    std::filesystem::copy_file(input, listed_input);
    const std::string list = (folder / "list-\xe9").string();
    write_file(list, {listed_input.begin(), listed_input.end()});
    const CliRun listed = widmo_cli_bytes({"-o", (folder / "out").string(), "--files-from", list});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(folder_entries(folder / "out"), std::vector<std::string>{"listed.bmp"});
}

TEST(HostileCliOutputs, AFullDiskSaysSo)
{
    SmallDisk disk("full-disk-reason");
    if (!disk.Mounted()) {
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
    }
    const std::string reason = "No space left on device";
    expect_failed_with(widmo_cli({"-o", disk.folder.string(), input_picture()}), reason);
    const std::string small = small_picture(temp_path("full-npy.bmp"));
    write_file((disk.folder / "filler").string(), std::vector<std::uint8_t>(60 * 1024, 1));
    expect_failed_with(widmo_cli({small, (disk.folder / "s.bmp").string(), "--npy",
                                  (disk.folder / "s.npy").string()}),
                       reason);
    expect_failed_with(widmo_cli({"-o", disk.folder.string(), "--npy-beside", small}), reason);
    EXPECT_EQ(folder_entries(disk.folder), std::vector<std::string>{"filler"});
}

} // namespace

namespace {

// In the child: standard input becomes an endless stream of `head` and then zeros, written
// by a process of its own that ends when the reader goes.
std::function<void()> endless_input(std::string head)
{
    return [head] {
        int ends[2];
        if (pipe(ends) != 0) {
            _exit(125);
        }
        if (fork() == 0) {
            close(ends[0]);
            const std::vector<char> zeros(1 << 16, 0);
            bool writing = write(ends[1], head.data(), head.size()) == ssize_t(head.size());
            while (writing) {
                writing = write(ends[1], zeros.data(), zeros.size()) > 0;
            }
            _exit(0);
        }
        close(ends[1]);
        dup2(ends[0], STDIN_FILENO);
        close(ends[0]);
    };
}

// In the child: standard input is `path` opened for reading (a folder too).
std::function<void()> input_from(std::string path)
{
    return [path] {
        const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY);
        dup2(fd, STDIN_FILENO);
    };
}

} // namespace

// Standard input is kept in memory, never on disk, recognised from its first bytes and
// bounded by the sides its header declares, by --max-pixels and by the memory.
TEST(HostileCli, StandardInputIsRecognisedAndBoundedBeforeItIsKept)
{
    const std::string output = temp_path("never-from-stdin.bmp");
    const std::filesystem::path temporary = temp_path("stdin-tmp");
    std::filesystem::create_directory(temporary);
    qputenv("TMPDIR", QByteArray::fromStdString(temporary.string()));
    expect_failed_with(widmo_cli({"--max-pixels", "1024", "-", output}, endless_input("")),
                       "\"-\": its first bytes show no picture format Widmo reads");
    expect_failed_with(widmo_cli({"-", output}, endless_input(png_declaring(64, 64))),
                       "it goes on past 16.1 MiB, more than any 64 x 64 picture is stored in");
    expect_failed_with(
        widmo_cli({"--max-pixels", "1024", "-", output}, endless_input(png_declaring(4096, 4096))),
        "padded to 4096 x 4096 pixels, more than the 1024 allowed");
    const std::string tiff("II*\0", 4);
    expect_failed_with(widmo_cli({"--max-pixels", "1024", "-", output}, endless_input(tiff)),
                       "more than any picture of at most 1024 pixels is stored in");
    expect_failed_with(widmo_cli({"-", output}, input_from(temporary.string())),
                       "\"-\": reading it failed: Is a directory");
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    // Stopped while it reads, standard input leaves nothing behind.
    QProcess process;
    process.setChildProcessModifier([tiff] {
        endless_input(tiff)();
        address_space_limit(std::uint64_t{1} << 30)();
    });
    process.start(QStringLiteral(WIDMO_CLI), {"-", QString::fromStdString(output)});
    ASSERT_TRUE(process.waitForStarted());
    QThread::msleep(200);
    process.terminate();
    process.waitForFinished();
#endif
    qunsetenv("TMPDIR");
    EXPECT_TRUE(std::filesystem::is_empty(temporary));
    EXPECT_FALSE(std::filesystem::exists(output));
}

namespace {

std::vector<std::uint8_t> bytes_of(const QByteArray& bytes)
{
    return {bytes.begin(), bytes.end()};
}

// A progressive JPEG of a 256 x 256 picture of stripes.
QByteArray progressive_jpeg()
{
    QImage picture(256, 256, QImage::Format_Grayscale8);
    for (int y = 0; y < picture.height(); ++y) {
        std::memset(picture.scanLine(y), (y * 37) % 256, std::size_t(picture.width()));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    EXPECT_TRUE(writer.write(picture));
    return bytes;
}

// A GIF of one white pixel: screen, two colours, one image, trailer.
const QByteArray one_pixel_gif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
                               "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b",
                               35);

} // namespace

// What Qt's JPEG and GIF readers would decode at length, or take as whole although it is
// cut short, is refused by a walk over the file's markers and blocks.
TEST(HostileCli, JpegAndGifFilesAreWalkedThroughBeforeTheyAreDecoded)
{
    const std::string input = temp_path("walked");
    const std::string output = temp_path("never-walked.bmp");
    const auto run = [&](const QByteArray& bytes) {
        write_file(input, bytes_of(bytes));
        return widmo_cli({input, output});
    };
    const QByteArray jpeg = progressive_jpeg();
    EXPECT_EQ(run(jpeg).status, 0);
    EXPECT_EQ(run(one_pixel_gif).status, 0);
    // Bytes after the end code are left alone.
    QByteArray trailing = one_pixel_gif;
    trailing.replace(30, 3, QByteArray("\x05\x44\x01\xff\xff\xff", 6));
    EXPECT_EQ(run(trailing).status, 0);
    QByteArray code_size = one_pixel_gif;
    code_size[29] = 126;
    expect_failed_with(run(code_size), "the codes of its image are damaged");
    std::filesystem::remove(output);

    // The last scan repeated until there are 501.
    const qsizetype end = jpeg.lastIndexOf("\xff\xd9");
    const qsizetype last_scan = jpeg.lastIndexOf("\xff\xda", end);
    const int scans = int(jpeg.count("\xff\xda"));
    const QByteArray bomb = jpeg.left(end) +
                            jpeg.mid(last_scan, end - last_scan).repeated(500 + 1 - scans) +
                            jpeg.mid(end);
    expect_failed_with(run(bomb), "it has more than 500 scans");
    expect_failed_with(run(jpeg.left(end)), "the file is cut short");
    expect_failed_with(run(jpeg.left(jpeg.size() / 2)), "the file is cut short");
    // The sides in the frame header set to 30000 x 30000.
    QByteArray huge = jpeg;
    const qsizetype frame = huge.indexOf("\xff\xc2");
    huge.replace(frame + 5, 4, QByteArray("\x75\x30\x75\x30", 4));
    expect_failed_with(run(huge), "far too few for the 30000 x 30000 pixels it declares");

    expect_failed_with(run(one_pixel_gif.chopped(1)), "the file is cut short");
    expect_failed_with(run(one_pixel_gif.left(30)), "the file is cut short");
    // Declared two pixels wide, its codes still give one.
    QByteArray wider = one_pixel_gif;
    wider[24] = 2;
    expect_failed_with(run(wider), "the data of its 2 x 1 image ends after 1 of its pixels");
    EXPECT_FALSE(std::filesystem::exists(output));
}

// A file the libraries cannot decode gets one line, ours, naming what it is: nothing the
// libraries print themselves reaches standard error.
TEST(HostileCli, UndecodableFilesGetOneLineThatSaysWhatTheyAre)
{
    const std::string input = temp_path("undecodable");
    const std::string output = temp_path("never-undecodable.bmp");
    const auto expect_refused = [&](const QByteArray& bytes, const std::string& reason) {
        write_file(input, bytes_of(bytes));
        expect_failed_with(widmo_cli({input, output}), reason);
    };
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(QImage(64, 64, QImage::Format_RGB32).save(&buffer, "png"));
    expect_refused(png.chopped(40), "its PNG data is damaged or of a kind the installed reader");
    expect_refused(QByteArray("P5 4 4 0\n0123456789abcdef"),
                   "a PNM (PGM or PPM) file whose maximum value is 0");
    const QByteArray run_length_tga("\0\0\x0a\0\0\0\0\0\0\0\0\0\x02\0\x02\0\x20\x08", 18);
    expect_refused(run_length_tga + QByteArray("\x83\1\2\3\4", 5),
                   "it is a run-length compressed TGA picture");
    expect_refused(QByteArray("<?xml version=\"1.0\"?>\n<svg width=\"4\" height=\"4\"/>"),
                   "it is an SVG drawing, not a picture made of pixels");
    EXPECT_FALSE(std::filesystem::exists(output));
}
