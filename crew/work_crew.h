#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

// Threads that stand ready to take shares of a job, so that handing one out starts no
// thread and allocates nothing: the caller runs share 0 itself, each helper one share
// more, and `run` returns once every share is done.
class work_crew
{
public:
    // Starts `helpers` threads, which wait for work until the crew is destroyed.
    explicit work_crew(int helpers);
    ~work_crew();
    work_crew(const work_crew&) = delete;
    work_crew& operator=(const work_crew&) = delete;

    int shares() const { return static_cast<int>(helpers.size()) + 1; }

    // Calls job(share) once for each share from 0 to shares() - 1, share 0 on the calling
    // thread, and returns when all calls have returned. A share that throws ends only its
    // own call: every other share still runs to its end, and then the exception of the
    // lowest share that threw is raised on the calling thread (the others are dropped), so
    // no exception ever leaves a helper thread. One job at a time: callers on several
    // threads must take turns.
    template <typename Job> void run(const Job& job)
    {
        run_shares([](const void* j, int share) { (*static_cast<const Job*>(j))(share); }, &job);
    }

private:
    using crew_function = void (*)(const void* job, int share);

    void run_shares(crew_function function, const void* job);
    void run_share(crew_function function, const void* job, int share) noexcept;
    void raise_first_failure();
    void serve(int share);
    void stop();

    std::mutex lock;
    std::condition_variable work_posted;
    std::condition_variable share_finished;
    crew_function posted_function = nullptr;
    const void* posted_job = nullptr;
    std::uint64_t round = 0;
    int unfinished = 0;
    bool stopping = false;
    // What each share of the present job threw, if anything; sized once, so a job
    // allocates nothing.
    std::vector<std::exception_ptr> failures;
    std::vector<std::thread> helpers;
};

// The threads the numeric stages share their large jobs among: 1, the caller's own, until
// use_worker_threads says otherwise.
int worker_threads();

// Shares later large jobs among `count` threads: the caller's own and count - 1 helpers
// started here, which wait between jobs, so a job itself starts no thread and allocates
// nothing. 1 stops the helpers. Throws std::invalid_argument unless 1 <= count <= 64.
void use_worker_threads(int count);

// The count the programs start with: WIDMO_THREADS when it holds a number from 1 to 64,
// otherwise the number of processors the process may run on (at most 64).
int default_worker_threads();

// use_worker_threads(default_worker_threads()), staying with one thread when the system
// refuses to start more: the work is then slower, never different. Returns the count.
int use_default_worker_threads() noexcept;

// When a job is worth sharing among the worker threads, one measure for every stage: the
// bytes the job works through, each pass over the same data counted again. A stage that
// reads and writes each double once counts its array's size (8 x doubles); a transform
// counts its array once per butterfly pass (16 x elements x log2 elements), whether or not
// neighbouring passes share a trip to memory. Handing a job out and waiting for the last
// helper costs 10 to 20 microseconds on a busy machine of two processors, as long as one
// thread takes to work through 100 to 200 KiB; a second thread saves half of the job's
// time, so sharing gains clearly from half a mebibyte on.
constexpr std::uint64_t sharing_pays_from_bytes = std::uint64_t{1} << 19;

constexpr bool worth_sharing(std::uint64_t bytes_moved)
{
    return bytes_moved >= sharing_pays_from_bytes;
}

// The untyped form of share_work below, which holds the helpers while the job runs.
using share_function = void (*)(const void* job, int share, int shares);
void share_work_with(bool sharing_pays, share_function function, const void* job);

// Calls job(share, shares) once for each share of the worker threads, or job(0, 1) alone
// when sharing does not pay (see worth_sharing), when there are no helpers, or when another
// thread's job has them. What a share throws reaches the caller as work_crew::run says.
template <typename Job> void share_work(bool sharing_pays, const Job& job)
{
    share_work_with(
        sharing_pays,
        [](const void* j, int share, int shares) { (*static_cast<const Job*>(j))(share, shares); },
        &job);
}

// Cuts [0, count) into one run per share, in order, and calls body(begin, end) for each.
template <typename Body> void share_range(std::uint64_t count, bool sharing_pays, const Body& body)
{
    share_work(sharing_pays, [&](int share, int shares) {
        const auto part = [&](int k) { return count * static_cast<std::uint64_t>(k) / shares; };
        body(part(share), part(share + 1));
    });
}
