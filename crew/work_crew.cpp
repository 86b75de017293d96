#include "work_crew.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>

#if defined(__linux__)
#include <sched.h>
#endif

work_crew::work_crew(int helper_count)
{
    failures.resize(static_cast<std::size_t>(helper_count) + 1);
    helpers.reserve(static_cast<std::size_t>(helper_count));
    try {
        for (int share = 1; share <= helper_count; ++share) {
            helpers.emplace_back(&work_crew::serve, this, share);
        }
    } catch (...) {
        // Those already started must be stopped before the crew goes away.
        stop();
        throw;
    }
}

work_crew::~work_crew()
{
    stop();
}

void work_crew::stop()
{
    {
        const std::lock_guard held(lock);
        stopping = true;
    }
    work_posted.notify_all();
    for (std::thread& helper : helpers) {
        helper.join();
    }
    helpers.clear();
}

void work_crew::run_shares(crew_function function, const void* job)
{
    {
        const std::lock_guard held(lock);
        posted_function = function;
        posted_job = job;
        unfinished = static_cast<int>(helpers.size());
        ++round;
    }
    work_posted.notify_all();
    run_share(function, job, 0);
    {
        std::unique_lock held(lock);
        share_finished.wait(held, [this] { return unfinished == 0; });
    }
    raise_first_failure();
}

void work_crew::run_share(crew_function function, const void* job, int share) noexcept
{
    try {
        function(job, share);
    } catch (...) {
        failures[static_cast<std::size_t>(share)] = std::current_exception();
    }
}

// Every share has finished, so nothing else touches `failures` until the next job.
void work_crew::raise_first_failure()
{
    std::exception_ptr first;
    for (std::exception_ptr& failure : failures) {
        if (first == nullptr) {
            first = failure;
        }
        failure = nullptr;
    }
    if (first != nullptr) {
        std::rethrow_exception(first);
    }
}

void work_crew::serve(int share)
{
    std::uint64_t done_round = 0;
    std::unique_lock held(lock);
    for (;;) {
        work_posted.wait(held, [&] { return stopping || round != done_round; });
        if (stopping) {
            return;
        }
        done_round = round;
        const crew_function function = posted_function;
        const void* job = posted_job;
        held.unlock();
        run_share(function, job, share);
        held.lock();
        if (--unfinished == 0) {
            share_finished.notify_one();
        }
    }
}

namespace {

constexpr int max_threads = 64;

// The helpers, if any. A job holds `guard` while it uses them.
struct guarded_crew
{
    std::mutex guard;
    std::unique_ptr<work_crew> crew;
};

guarded_crew& shared_crew()
{
    static guarded_crew shared;
    return shared;
}

// Set on the thread that holds the helpers, so that a job which shares work itself runs
// that part alone instead of waiting for helpers it already has.
thread_local bool holding_crew = false;

// Sets holding_crew for its lifetime, however the job ends.
class crew_held
{
public:
    crew_held() { holding_crew = true; }
    ~crew_held() { holding_crew = false; }
    crew_held(const crew_held&) = delete;
    crew_held& operator=(const crew_held&) = delete;
};

// The processors this process may run on: fewer than the machine has when it is confined
// to some of them.
int processors_available()
{
#if defined(__linux__)
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof allowed, &allowed) == 0) {
        return CPU_COUNT(&allowed);
    }
#endif
    return static_cast<int>(std::thread::hardware_concurrency());
}

} // namespace

int worker_threads()
{
    guarded_crew& shared = shared_crew();
    const std::lock_guard held(shared.guard);
    return shared.crew != nullptr ? shared.crew->shares() : 1;
}

void use_worker_threads(int count)
{
    if (count < 1 || count > max_threads) {
        throw std::invalid_argument("the numeric stages can use 1 to " +
                                    std::to_string(max_threads) + " threads, not " +
                                    std::to_string(count));
    }
    guarded_crew& shared = shared_crew();
    const std::lock_guard held(shared.guard);
    shared.crew.reset();
    if (count > 1) {
        shared.crew = std::make_unique<work_crew>(count - 1);
    }
}

int default_worker_threads()
{
    const char* wanted = std::getenv("WIDMO_THREADS");
    if (wanted != nullptr) {
        char* end = nullptr;
        const long count = std::strtol(wanted, &end, 10);
        if (end != wanted && *end == '\0' && count >= 1 && count <= max_threads) {
            return static_cast<int>(count);
        }
    }
    return std::clamp(processors_available(), 1, max_threads);
}

int use_default_worker_threads() noexcept
{
    try {
        use_worker_threads(default_worker_threads());
    } catch (const std::exception&) {
        // Helpers that could not start leave the work to the calling thread.
    }
    return worker_threads();
}

void share_work_with(bool sharing_pays, share_function function, const void* job)
{
    guarded_crew& shared = shared_crew();
    std::unique_lock held(shared.guard, std::defer_lock);
    if (sharing_pays && !holding_crew && held.try_lock() && shared.crew != nullptr) {
        const int shares = shared.crew->shares();
        const crew_held holding;
        shared.crew->run([&](int share) { function(job, share, shares); });
        return;
    }
    function(job, 0, 1);
}
