#include "batch.h"

#include "cli_status.h"
#include "message_counter.h"
#include "picture_job.h"

#include "ShowMessage.h"
#include "file_name.h"

#include "work_crew.h"
#include "zeroed_array.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <iostream>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

// "12/200 photo.bmp" on standard error, rewritten in place, when that is a terminal.
class progress_line
{
public:
    explicit progress_line(bool quiet) : shown(!quiet && ::isatty(STDERR_FILENO) == 1) {}
    progress_line(const progress_line&) = delete;
    progress_line& operator=(const progress_line&) = delete;
    ~progress_line() { clear(); }

    void show(qsizetype done, qsizetype count, const QString& input)
    {
        if (shown) {
            std::cerr << "\r\033[K" << done << '/' << count << ' '
                      << shown_name(input).toStdString() << std::flush;
        }
    }
    void clear()
    {
        if (shown) {
            std::cerr << "\r\033[K" << std::flush;
        }
    }

private:
    bool shown;
};

// What `work` raised, as a text; empty when it went well.
template <typename Work> std::string failure_of(const Work& work)
{
    try {
        work();
    } catch (const std::bad_alloc&) {
        return QCoreApplication::translate("widmo-cli", "not enough memory for this picture")
            .toStdString();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

// Files of the run by where they are, each with the input it belongs to.
using places = std::map<file_place, QString>;

// The text names the output as %1 and an input as %2.
[[noreturn]] void refuse(const char* text, const QString& output, const QString& input)
{
    throw std::runtime_error(QCoreApplication::translate("widmo-cli", text)
                                 .arg(shown_name(output), shown_name(input))
                                 .toStdString());
}

struct batch_item
{
    QString input;
    output_files outputs;
    std::string failure; // empty while it goes well
};

// The pictures are taken one after another by each worker thread, or all by this one when
// there is only one: a thread that is held up holds up no other. Each picture's stages run
// on its thread alone, side by side with the others'; the lines on standard error take turns
// under the lock a decoding thread holds while standard error points to /dev/null, so that
// no line is written there.
class batch_run
{
public:
    explicit batch_run(const cli_options& options_)
        : options(options_), folder(options_.output_dir), progress(options_.quiet)
    {
    }

    int run()
    {
        std::vector<batch_item> items = planned();
        const keeping_large_blocks matrices_kept;
        std::atomic<std::size_t> next{0};
        share_work(items.size() > 1, [&](int, int) {
            for (std::size_t k = next++; k < items.size(); k = next++) {
                work_on(items[k], k);
            }
        });
        return status_after(failures > 0, messages);
    }

private:
    output_files outputs_of(const QString& input) const
    {
        const QString name = QFileInfo(input).completeBaseName();
        output_files files;
        if (options.picture) {
            files.picture = folder.filePath(name + '.' + extension_of(options.format));
        }
        if (options.npy_beside) {
            files.npy = folder.filePath(name + QStringLiteral(".npy"));
        }
        return files;
    }

    // Each input's outputs, planned before anything is written: an input whose output
    // is the input itself, another input of the run or an earlier input's output fails at
    // once, and no file of the run is replaced by another's output.
    std::vector<batch_item> planned() const
    {
        places inputs;
        for (const QString& input : options.inputs) {
            if (const auto place = input_place(input); place && place->exists) {
                inputs.emplace(*place, input);
            }
        }
        places claimed;
        std::vector<batch_item> items;
        for (const QString& input : options.inputs) {
            batch_item item{input, outputs_of(input), {}};
            item.failure = failure_of([&] { claim_outputs(item, inputs, claimed); });
            items.push_back(std::move(item));
        }
        return items;
    }

    // Adds the item's outputs to those claimed, or raises when one is an input of the run
    // or claimed already.
    static void claim_outputs(const batch_item& item, const places& inputs, places& claimed)
    {
        const output_places found = refuse_clashing_files(item.input, item.outputs);
        const std::pair<const std::optional<file_place>&, const QString&> named[] = {
            {found.picture, item.outputs.picture}, {found.npy, item.outputs.npy}};
        std::vector<file_place> outputs;
        for (const auto& [place, name] : named) {
            if (!place) {
                continue;
            }
            if (const auto input = inputs.find(*place); input != inputs.cend()) {
                refuse(QT_TRANSLATE_NOOP("widmo-cli", "its output %1 would replace the input %2"),
                       name, input->second);
            }
            if (const auto earlier = claimed.find(*place); earlier != claimed.cend()) {
                refuse(QT_TRANSLATE_NOOP("widmo-cli", "its output %1 is the output of %2 too"),
                       name, earlier->second);
            }
            outputs.push_back(*place);
        }
        for (const file_place& place : outputs) {
            claimed.emplace(place, item.input);
        }
    }

    void work_on(batch_item& item, std::size_t index)
    {
        if (item.failure.empty()) {
            picture_job job(item.input, QByteArray(), item.outputs, options.format,
                            options.spectrum);
            item.failure = failure_of([&] {
                prepare(job, item.input, index);
                job.compute();
                job.finish();
            });
        }
        if (!item.failure.empty()) {
            report(item);
        }
    }

    void prepare(picture_job& job, const QString& input, std::size_t index)
    {
        {
            const std::lock_guard turn(standard_error_lock());
            progress.show(index + 1, options.inputs.size(), input);
        }
        message_counter shown(input.toStdString());
        job.prepare();
        messages += shown.count;
    }

    void report(const batch_item& item)
    {
        const std::lock_guard turn(standard_error_lock());
        ++failures;
        progress.clear();
        std::cerr << "widmo-cli: " << shown_name(item.input).toStdString() << ": " << item.failure
                  << '\n';
    }

    const cli_options& options;
    QDir folder;
    progress_line progress;
    int failures = 0;
    std::atomic<int> messages{0};
};

// Makes the folder and those it is in, as far as they are missing; false with errno set
// when one cannot be made or the name is a file's.
bool make_folders(const QByteArray& folder)
{
    for (qsizetype slash = folder.indexOf('/', 1); slash >= 0;
         slash = folder.indexOf('/', slash + 1)) {
        if (::mkdir(folder.first(slash).constData(), 0777) != 0 && errno != EEXIST) {
            return false;
        }
    }
    struct stat status
    {
    };
    if (::mkdir(folder.constData(), 0777) == 0) {
        return true;
    }
    if (errno != EEXIST || ::stat(folder.constData(), &status) != 0) {
        return false;
    }
    if (S_ISDIR(status.st_mode)) {
        return true;
    }
    errno = ENOTDIR;
    return false;
}

} // namespace

int run_batch(const cli_options& options)
{
    if (!make_folders(file_name_bytes(options.output_dir))) {
        throw std::runtime_error(
            QCoreApplication::translate("widmo-cli", "cannot make the folder %1: %2")
                .arg(shown_name(options.output_dir), qt_error_string(errno))
                .toStdString());
    }
    return batch_run(options).run();
}
