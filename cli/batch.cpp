#include "batch.h"

#include "cli_status.h"
#include "message_counter.h"
#include "picture_job.h"

#include "work_crew.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <unistd.h>

#include <cstdint>
#include <exception>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

QString tr(const char* source)
{
    return QCoreApplication::translate("widmo-cli", source);
}

// Pictures whose padded area reaches this are worked on alone, their stages shared among
// the worker threads; smaller ones side by side.
constexpr std::uint64_t alone_from_pixels = std::uint64_t{1} << 22;

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

struct batch_item
{
    QString input;
    std::unique_ptr<picture_job> job;
    std::uint64_t padded_pixels = 0;
    std::string failure; // empty while it goes well
};

// What `work` raised, as a text; empty when it went well.
template <typename Work> std::string failure_of(const Work& work)
{
    try {
        work();
    } catch (const std::bad_alloc&) {
        return tr("not enough memory for this picture").toStdString();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

class batch_run
{
public:
    explicit batch_run(const cli_options& options_)
        : options(options_), folder(options_.output_dir), progress(options_.quiet)
    {
    }

    int run()
    {
        std::vector<batch_item> group;
        for (qsizetype k = 0; k < options.inputs.size(); ++k) {
            progress.show(k + 1, options.inputs.size(), options.inputs[k]);
            batch_item item = prepared(options.inputs[k]);
            if (!item.failure.empty()) {
                report(item);
                continue;
            }
            if (item.padded_pixels >= alone_from_pixels) {
                finish_group(group);
            }
            const bool alone = item.padded_pixels >= alone_from_pixels;
            group.push_back(std::move(item));
            if (alone || static_cast<int>(group.size()) >= worker_threads()) {
                finish_group(group);
            }
        }
        finish_group(group);
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

    // Two inputs of the same name would write the same files.
    void claim(const output_files& files, const QString& input)
    {
        const QString key = QFileInfo(files.picture).absoluteFilePath();
        const auto earlier = claimed.constFind(key);
        if (earlier != claimed.cend()) {
            throw std::runtime_error(tr("its output %1 is the output of %2 too")
                                         .arg(files.picture, *earlier)
                                         .toStdString());
        }
        claimed.insert(key, input);
    }

    batch_item prepared(const QString& input)
    {
        batch_item item{input, nullptr, 0, {}};
        item.failure = failure_of([&] {
            const output_files files = outputs_of(input);
            claim(files, input);
            item.job = std::make_unique<picture_job>(input, QString(), files, options.format,
                                                     options.spectrum);
            message_counter shown(input.toStdString());
            item.padded_pixels = item.job->prepare();
            messages += shown.count;
        });
        return item;
    }

    // Computes the group's pictures, side by side when there are several, then puts their
    // files in place in the order of the inputs.
    void finish_group(std::vector<batch_item>& group)
    {
        share_range(group.size(), group.size() > 1, [&](std::uint64_t begin, std::uint64_t end) {
            for (std::uint64_t k = begin; k < end; ++k) {
                group[k].failure = failure_of([&] { group[k].job->compute(); });
            }
        });
        for (batch_item& item : group) {
            if (item.failure.empty()) {
                item.failure = failure_of([&] { item.job->finish(); });
            }
            item.job.reset();
            if (!item.failure.empty()) {
                report(item);
            }
        }
        group.clear();
    }

    void report(const batch_item& item)
    {
        ++failures;
        progress.clear();
        std::cerr << "widmo-cli: " << item.input.toStdString() << ": " << item.failure << '\n';
    }

    const cli_options& options;
    QDir folder;
    progress_line progress;
    QHash<QString, QString> claimed;
    int failures = 0;
    int messages = 0;
};

} // namespace

int run_batch(const cli_options& options)
{
    if (!QDir().mkpath(options.output_dir)) {
        throw std::runtime_error(
            tr("cannot make the folder %1").arg(options.output_dir).toStdString());
    }
    return batch_run(options).run();
}
