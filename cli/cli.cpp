#include "cli.h"

#include "npy.h"
#include "options.h"

#include "ShowMessage.h"
#include "TBitmap.h"
#include "Unit1.h"

#include <QImageWriter>
#include <QSaveFile>

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
        : previous(SetMessageSink([this](const std::string& text) {
              ++count;
              StandardErrorLine(text);
          }))
    {
    }
    MessageCounter(const MessageCounter&) = delete;
    MessageCounter& operator=(const MessageCounter&) = delete;
    ~MessageCounter() { SetMessageSink(previous); }

    int count = 0;

private:
    MessageSink previous;
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

void load_picture(TBitmap& picture, const QString& name)
{
    picture.LoadFromFile(native(name));
    picture.PixelFormat(pf8bit);
}

int compute_and_write(const CliOptions& options)
{
    TBitmap source;
    load_picture(source, options.input);
    auto picture = open_output(options.output);
    auto spectrum = options.npy.isEmpty() ? nullptr : open_output(options.npy);

    MessageCounter messages;
    TBitmap target;
    TForm1::SpectrumPipeline(&source, &target, options.mode, options.scale);
    QImageWriter writer(picture.get(), "bmp");
    check_written(writer.write(target.Image()), *picture, writer.errorString());
    if (spectrum) {
        check_written(WriteNpy(*spectrum, *Spectrum), *spectrum, spectrum->errorString());
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
