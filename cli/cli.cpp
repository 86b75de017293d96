#include "cli.h"

#include "npy.h"
#include "options.h"
#include "paths.h"

#include "ShowMessage.h"
#include "TBitmap.h"
#include "bmp_encode.h"
#include "memory_budget.h"
#include "spectrum_pipeline.h"

#include <QSaveFile>

#include <cstdint>
#include <exception>
#include <iostream>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

namespace {

// A failure that ends the run with nothing written; the text says why.
class CliFailure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Shows every message on standard error and counts them while it lives.
class MessageCounter
{
public:
    MessageCounter()
        : previous(set_message_sink([this](const std::string& text) {
              ++count;
              standard_error_line(text);
          }))
    {
    }
    MessageCounter(const MessageCounter&) = delete;
    MessageCounter& operator=(const MessageCounter&) = delete;
    ~MessageCounter() { set_message_sink(previous); }

    int count = 0;

private:
    message_sink previous;
};

// The cap on the padded area for one run, lifted when the run ends.
class PixelCap
{
public:
    explicit PixelCap(std::uint64_t cap) : previous(set_padded_pixel_cap(cap)) {}
    PixelCap(const PixelCap&) = delete;
    PixelCap& operator=(const PixelCap&) = delete;
    ~PixelCap() { set_padded_pixel_cap(previous); }

private:
    std::uint64_t previous;
};

std::string native(const QString& name)
{
    return name.toStdString();
}

// A file written under a temporary name beside its target and renamed into place by
// Commit; dropped without a trace when the run ends before.
std::unique_ptr<QSaveFile> open_output(const QString& name)
{
    auto file = std::make_unique<QSaveFile>(name);
    if (!file->open(QIODevice::WriteOnly)) {
        throw CliFailure("cannot write " + native(name) + ": " + native(file->errorString()));
    }
    return file;
}

void check_written(bool written, const QSaveFile& file, const QString& reason)
{
    if (!written) {
        throw CliFailure("cannot write " + native(file.fileName()) + ": " + native(reason));
    }
}

void commit(QSaveFile& file)
{
    check_written(file.commit(), file, file.errorString());
}

// Writes the 8-bit spectrum picture. Its rows are taken from the bytes Qt holds them
// in, but not the bytes that align them, which nothing has set.
bool write_picture(QIODevice& device, const QImage& image)
{
    if (image.format() != QImage::Format_Indexed8) {
        throw CliFailure("no spectrum picture was painted");
    }
    const QList<QRgb> colours = image.colorTable();
    const indexed_picture picture{
        image.width(),
        image.height(),
        {image.constBits(), static_cast<std::size_t>(image.sizeInBytes())},
        static_cast<std::size_t>(image.bytesPerLine()),
        {colours.constData(), static_cast<std::size_t>(colours.size())}};
    return write_indexed_bmp(picture, [&](const std::uint8_t* bytes, std::size_t count) {
        const auto length = static_cast<qint64>(count);
        return device.write(reinterpret_cast<const char*>(bytes), length) == length;
    });
}

int compute_and_write(const CliOptions& options)
{
    const PixelCap cap(options.maxPixels);
    refuse_clashing_files(options);
    TBitmap source;
    load_8bit_picture(source, native(options.input));
    auto picture = open_output(options.output);
    auto spectrum = options.npy.isEmpty() ? nullptr : open_output(options.npy);

    MessageCounter messages;
    TBitmap target;
    spectrum_pipeline(&source, &target, options.mode, options.scale);
    check_written(write_picture(*picture, target.Image()), *picture, picture->errorString());
    if (spectrum) {
        check_written(WriteNpy(*spectrum, *Spectrum), *spectrum, spectrum->errorString());
    }
    // The names may have been given to other files while the spectrum was computed.
    refuse_clashing_files(options);
    if (spectrum) {
        commit(*spectrum);
    }
    commit(*picture);
    return messages.count == 0 ? CliDone : CliDoneWithMessage;
}

int fail(const std::string& reason)
{
    std::cerr << "widmo-cli: " << reason << '\n';
    return CliFailed;
}

} // namespace

int RunCli(const QStringList& arguments)
{
    try {
        const CliOptions options = ParseOptions(arguments);
        if (options.help) {
            std::cout << native(UsageText());
            return CliDone;
        }
        if (options.version) {
            std::cout << "widmo-cli " << WIDMO_VERSION << '\n';
            return CliDone;
        }
        return compute_and_write(options);
    } catch (const UsageError& e) {
        return fail(std::string(e.what()) + " (see widmo-cli --help)");
    } catch (const std::bad_alloc&) {
        return fail("not enough memory for this picture");
    } catch (const std::exception& e) {
        return fail(e.what());
    }
}
