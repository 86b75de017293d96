#include "batch.h"

#include "cli_status.h"
#include "message_counter.h"
#include "picture_job.h"

#include "work_crew.h"
#include "zeroed_array.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <iostream>
#include <memory>
#include <mutex>
#include <stdexcept>
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
            std::cerr << "\r\033[K" << done << '/' << count << ' ' << input.toStdString()
                      << std::flush;
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

struct batch_item
{
    QString input;
    output_files outputs;
    std::string failure; // empty while it goes well
};

// The pictures are taken one after another by each worker thread, or all by this one when
// there is only one: a thread that is held up holds up no other. Loading and sampling, which
// use bitmaps, and what goes to standard error take turns under one lock; transforming,
// painting and writing run side by side, each picture's stages on its own thread alone.
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
        output_files files{folder.filePath(name + '.' + extension_of(options.format)), {}};
        if (options.npy_beside) {
            files.npy = folder.filePath(name + QStringLiteral(".npy"));
        }
        return files;
    }

    // Each input's outputs; an input whose outputs an earlier one of the same name would
    // write fails at once.
    std::vector<batch_item> planned() const
    {
        std::vector<batch_item> items;
        QHash<QString, QString> claimed;
        for (const QString& input : options.inputs) {
            batch_item item{input, outputs_of(input), {}};
            const QString key = QFileInfo(item.outputs.picture).absoluteFilePath();
            if (const auto earlier = claimed.constFind(key); earlier != claimed.cend()) {
                item.failure = QCoreApplication::translate("widmo-cli",
                                                           "its output %1 is the output of %2 too")
                                   .arg(item.outputs.picture, *earlier)
                                   .toStdString();
            }
            claimed.insert(key, input);
            items.push_back(std::move(item));
        }
        return items;
    }

    void work_on(batch_item& item, std::size_t index)
    {
        if (item.failure.empty()) {
            picture_job job(item.input, QString(), item.outputs, options.format, options.spectrum);
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
        const std::lock_guard turn(bitmaps_and_messages);
        progress.show(index + 1, options.inputs.size(), input);
        message_counter shown(input.toStdString());
        job.prepare();
        messages += shown.count;
    }

    void report(const batch_item& item)
    {
        const std::lock_guard turn(bitmaps_and_messages);
        ++failures;
        progress.clear();
        std::cerr << "widmo-cli: " << item.input.toStdString() << ": " << item.failure << '\n';
    }

    const cli_options& options;
    QDir folder;
    progress_line progress;
    std::mutex bitmaps_and_messages;
    int failures = 0;
    int messages = 0;
};

} // namespace

int run_batch(const cli_options& options)
{
    if (!QDir().mkpath(options.output_dir)) {
        throw std::runtime_error(
            QCoreApplication::translate("widmo-cli", "cannot make the folder %1")
                .arg(options.output_dir)
                .toStdString());
    }
    return batch_run(options).run();
}
