#include "work_crew.h"

#include "shared_among.h"

#include <gtest/gtest.h>

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <future>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Many rounds in a row, so that a helper missing a round, or running one twice, shows.
TEST(WorkCrew, EveryShareRunsOnceARoundShareZeroOnTheCaller)
{
    work_crew crew(3);
    ASSERT_EQ(crew.shares(), 4);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::atomic<int>> calls(4);
        std::vector<std::thread::id> ran_on(4);
        crew.run([&](int share) {
            ++calls[static_cast<std::size_t>(share)];
            ran_on[static_cast<std::size_t>(share)] = std::this_thread::get_id();
        });
        for (int share = 0; share < 4; ++share) {
            ASSERT_EQ(calls[static_cast<std::size_t>(share)].load(), 1) << round << " " << share;
        }
        ASSERT_EQ(ran_on[0], std::this_thread::get_id());
        ASSERT_EQ(std::set<std::thread::id>(ran_on.begin(), ran_on.end()).size(), 4u);
    }
}

struct share_failure
{
    int share;
};

// A share that throws must not end the process on its helper thread, nor stop the other
// shares: the caller gets the lowest failing share's exception once all have run, and
// the crew serves the next job as before.
TEST(WorkCrew, AThrowingShareReachesTheCallerAfterEveryShareHasRun)
{
    work_crew crew(3);
    for (const std::vector<int>& throwing :
         {std::vector<int>{2}, std::vector<int>{3, 1}, std::vector<int>{0, 2, 3}}) {
        std::vector<std::atomic<int>> calls(4);
        try {
            crew.run([&](int share) {
                ++calls[static_cast<std::size_t>(share)];
                if (std::find(throwing.begin(), throwing.end(), share) != throwing.end()) {
                    throw share_failure{share};
                }
            });
            ADD_FAILURE() << "nothing was raised";
        } catch (const share_failure& failure) {
            EXPECT_EQ(failure.share, *std::min_element(throwing.begin(), throwing.end()));
        }
        for (int share = 0; share < 4; ++share) {
            EXPECT_EQ(calls[static_cast<std::size_t>(share)].load(), 1) << share;
        }
        std::atomic<int> after{0};
        crew.run([&](int) { ++after; });
        EXPECT_EQ(after.load(), 4) << "a failure was raised again";
    }
}

// When the caller's own share throws it must still wait for the helpers, whose job may
// refer to the caller's stack.
TEST(WorkCrew, TheCallersThrowingShareWaitsForTheHelpers)
{
    work_crew crew(1);
    std::promise<void> thrown;
    std::shared_future<void> caller_threw = thrown.get_future().share();
    std::atomic<bool> helper_done{false};
    const auto job = [&](int share) {
        if (share == 0) {
            thrown.set_value();
            throw std::runtime_error("share 0");
        }
        caller_threw.wait();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        helper_done = true;
    };
    EXPECT_THROW(crew.run(job), std::runtime_error);
    EXPECT_TRUE(helper_done.load());
}

// The runs must cover every index exactly once, in order, also with fewer indices than
// threads.
TEST(ShareRange, RunsCoverEveryIndexOnceInOrder)
{
    const shared_among three(3);
    for (std::uint64_t count : {0u, 2u, 3u, 10u, 1000u}) {
        std::mutex lock;
        std::vector<std::pair<std::uint64_t, std::uint64_t>> runs;
        share_range(count, true, [&](std::uint64_t begin, std::uint64_t end) {
            const std::lock_guard held(lock);
            runs.emplace_back(begin, end);
        });
        ASSERT_EQ(runs.size(), 3u) << count;
        std::sort(runs.begin(), runs.end());
        std::uint64_t next = 0;
        for (const auto& [begin, end] : runs) {
            EXPECT_EQ(begin, next) << count;
            EXPECT_LE(begin, end) << count;
            next = end;
        }
        EXPECT_EQ(next, count);
    }
}

TEST(ShareWork, WorkNotWorthSharingOrWithoutHelpersRunsAloneOnTheCaller)
{
    const auto shares_seen = [](bool sharing_pays) {
        std::vector<std::pair<int, int>> seen;
        share_work(sharing_pays, [&](int share, int shares) { seen.emplace_back(share, shares); });
        return seen;
    };
    const std::vector<std::pair<int, int>> alone = {{0, 1}};
    EXPECT_EQ(shares_seen(true), alone);
    const shared_among two(2);
    EXPECT_EQ(shares_seen(false), alone);
}

// A job that shares work itself, on the caller or on a helper, gets no helpers rather
// than waiting for the ones it is running on.
TEST(ShareWork, ANestedShareRunsAlone)
{
    const shared_among two(2);
    std::vector<std::atomic<int>> nested_shares(2);
    share_work(true, [&](int share, int shares) {
        ASSERT_EQ(shares, 2);
        share_work(true,
                   [&](int, int inner) { nested_shares[static_cast<std::size_t>(share)] = inner; });
    });
    EXPECT_EQ(nested_shares[0].load(), 1);
    EXPECT_EQ(nested_shares[1].load(), 1);
}

TEST(ShareWork, AnotherThreadsJobRunsAloneWhileTheHelpersAreBusy)
{
    const shared_among two(2);
    std::promise<void> holding;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::thread owner([&] {
        share_work(true, [&](int share, int) {
            if (share == 0) {
                holding.set_value();
                released.wait();
            }
        });
    });
    holding.get_future().wait();
    int shares_seen = 0;
    share_work(true, [&](int, int shares) { shares_seen = shares; });
    release.set_value();
    owner.join();
    EXPECT_EQ(shares_seen, 1);
}

// After a shared job threw, the helpers are free again: the next job gets them all.
TEST(ShareWork, AfterAJobThrewTheNextOneIsSharedAgain)
{
    const shared_among two(2);
    for (int thrower : {0, 1}) {
        const auto job = [&](int share, int) {
            if (share == thrower) {
                throw share_failure{share};
            }
        };
        EXPECT_THROW(share_work(true, job), share_failure);
        std::atomic<int> calls{0};
        share_work(true, [&](int, int shares) { calls += shares; });
        EXPECT_EQ(calls.load(), 4) << "after share " << thrower << " threw";
    }
}

TEST(WorkerThreads, CountsOutsideOneToSixtyFourAreRefused)
{
    EXPECT_THROW(use_worker_threads(0), std::invalid_argument);
    EXPECT_THROW(use_worker_threads(65), std::invalid_argument);
    EXPECT_EQ(worker_threads(), 1);
    {
        const shared_among four(4);
        EXPECT_EQ(worker_threads(), 4);
    }
    EXPECT_EQ(worker_threads(), 1);
}

// The count a process confined to the first processor chooses, as its exit status.
void exit_with_count_on_one_processor()
{
    cpu_set_t first;
    CPU_ZERO(&first);
    CPU_SET(0, &first);
    if (sched_setaffinity(0, sizeof first, &first) != 0) {
        std::_Exit(100);
    }
    std::_Exit(default_worker_threads());
}

TEST(WorkerThreads, TheEnvironmentOrTheProcessorsChooseTheProgramsCount)
{
    unsetenv("WIDMO_THREADS");
    const int processors = default_worker_threads();
    EXPECT_GE(processors, 1);
    EXPECT_LE(processors, std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 64));
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(exit_with_count_on_one_processor(), testing::ExitedWithCode(1), "");

    const std::vector<std::pair<const char*, int>> cases = {
        {"3", 3},           {"1", 1},           {"64", 64},       {"0", processors},
        {"65", processors}, {"2x", processors}, {"", processors}, {"-2", processors}};
    for (const auto& [text, expected] : cases) {
        setenv("WIDMO_THREADS", text, 1);
        EXPECT_EQ(default_worker_threads(), expected) << '"' << text << '"';
    }
    setenv("WIDMO_THREADS", "3", 1);
    EXPECT_EQ(use_default_worker_threads(), 3);
    EXPECT_EQ(worker_threads(), 3);
    unsetenv("WIDMO_THREADS");
    use_worker_threads(1);
}

} // namespace
