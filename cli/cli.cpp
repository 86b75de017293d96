#include "cli.h"

#include "batch.h"
#include "cli_status.h"
#include "input_list.h"
#include "message_counter.h"
#include "option_table.h"
#include "options.h"
#include "picture_input.h"
#include "picture_job.h"

#include "memory_budget.h"
#include "work_crew.h"

#include <QCoreApplication>

#include <cstdint>
#include <exception>
#include <iostream>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

// The cap on the padded area for one run, lifted when the run ends.
class pixel_cap
{
public:
    explicit pixel_cap(std::uint64_t cap) : previous(set_padded_pixel_cap(cap)) {}
    pixel_cap(const pixel_cap&) = delete;
    pixel_cap& operator=(const pixel_cap&) = delete;
    ~pixel_cap() { set_padded_pixel_cap(previous); }

private:
    std::uint64_t previous;
};

void run_job(picture_job& job)
{
    job.prepare();
    job.compute();
    job.finish();
}

int run_single(const cli_options& options)
{
    message_counter messages;
    const QString& input = options.inputs.first();
    const bool piped = input == standard_stream;
    picture_job job(piped ? QString() : input, piped ? read_standard_input() : QByteArray(),
                    {options.output, options.npy_file}, options.format, options.spectrum);
    run_job(job);
    return status_after(false, messages.count);
}

int run(cli_options options)
{
    if (options.help) {
        std::cout << usage_text().toStdString();
        return cli_done;
    }
    if (options.version) {
        std::cout << "widmo-cli " << WIDMO_VERSION << '\n';
        return cli_done;
    }
    if (!options.input_list.isEmpty()) {
        options.inputs += read_input_list(options.input_list, options.null_separated);
    }
    // The helper threads start only for work: --help, --version and a refused command
    // line start none.
    use_default_worker_threads();
    const pixel_cap cap(options.max_pixels);
    return options.batch() ? run_batch(options) : run_single(options);
}

int fail(const std::string& reason)
{
    std::cerr << "widmo-cli: " << reason << '\n';
    return cli_failed;
}

} // namespace

int run_cli(const QStringList& arguments)
{
    try {
        return run(parse_options(arguments));
    } catch (const usage_error& e) {
        return fail(QCoreApplication::translate("widmo-cli", "%1 (see widmo-cli --help)")
                        .arg(QString::fromStdString(e.what()))
                        .toStdString());
    } catch (const std::bad_alloc&) {
        return fail(QCoreApplication::translate("widmo-cli", "not enough memory for this picture")
                        .toStdString());
    } catch (const std::exception& e) {
        return fail(e.what());
    }
}
