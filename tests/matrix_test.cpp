#include "matrix.h"

#include "shared_among.h"
#include "work_crew.h"
#include "zeroed_array.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

TEST(Matrix, WithoutInitialValuesEveryDoubleIsZero)
{
    // Small and large matrices come from different allocators, and the pages of a large
    // one are asked for by the worker threads in pieces, the last one short: all must be
    // cleared.
    const shared_among two(2);
    for (const auto& [rows, cols] : {std::pair{3, 8}, std::pair{1024, 1030}}) {
        matrix m(rows, cols);
        EXPECT_EQ(m.get_rows(), rows);
        EXPECT_EQ(m.get_cols(), cols);
        ASSERT_NE(m.get_data(), nullptr);
        for (std::uint64_t k = 0; k < m.size(); ++k) {
            ASSERT_EQ(m.get_data()[k], 0.0) << k;
        }
    }
}

bool all_zero(const matrix& m)
{
    return std::all_of(m.get_data(), m.get_data() + m.size(), [](double d) { return d == 0.0; });
}

// A large matrix given back while blocks are kept is handed out again, for the next one of
// its size only, cleared to its last double (the last piece short); after the keeping,
// blocks come fresh from the kernel again.
TEST(Matrix, AKeptBlockComesBackClearedForItsOwnSizeOnly)
{
    const shared_among two(2);
    const auto used = [](int rows, int cols) {
        matrix m(rows, cols);
        std::fill(m.get_data(), m.get_data() + m.size(), 7.5);
        return m.get_data();
    };
    {
        const keeping_large_blocks kept;
        const double* first = used(1024, 1030);
        const matrix again(1024, 1030);
        EXPECT_EQ(again.get_data(), first) << "the kept block";
        EXPECT_TRUE(all_zero(again));
        used(1024, 1030);
        const matrix other(1030, 1024);
        EXPECT_TRUE(all_zero(other));
        const matrix same(1024, 1030);
        EXPECT_TRUE(all_zero(same)) << "a block of another size was asked for between";
    }
    used(1024, 1030);
    EXPECT_TRUE(all_zero(matrix(1024, 1030)));
}

// As in a batch: the worker threads take and give back matrices while the crew is busy
// with their shares, and every one they take is cleared.
TEST(Matrix, WorkerThreadsTakeAndGiveBackKeptBlocksInsideSharedWork)
{
    const shared_among two(2);
    const keeping_large_blocks kept;
    std::atomic<int> cleared{0};
    share_work(true, [&](int, int) {
        for (int round = 0; round < 3; ++round) {
            matrix m(1024, 1030);
            cleared += all_zero(m) ? 1 : 0;
            std::fill(m.get_data(), m.get_data() + m.size(), 1.0);
        }
    });
    EXPECT_EQ(cleared, 6);
}

// Blocks of 2 MiB and above count, order k as 2^(k - 9) of them, over every zone; other
// text counts nothing.
TEST(ZeroedArray, FreeLargePagesAreCountedFromTheBuddyLists)
{
    EXPECT_EQ(free_large_pages("Node 0, zone      DMA      0      0      0      0      0      0"
                               "      0      0      1      1      3\n"
                               "Node 0, zone   Normal  68340  59145  26547  12343   6624   2554"
                               "   2704   1719    594   1209   2395\n"),
              1 + 3 * 2 + 1209 + 2395 * 2);
    EXPECT_EQ(free_large_pages("Node 0, zone Normal 5 5 5 5 5 5 5 5 5\n"), 0);
    EXPECT_EQ(free_large_pages(""), 0);
    EXPECT_EQ(free_large_pages("no zones here 1 2 3 4 5 6 7 8 9 10 11\nzone"), 0);
}

TEST(Matrix, InitialWordsBecomeExactDoubles)
{
    const std::vector<std::uint32_t> words = {0, 1, 255, 65536, 4294967295u, 7};
    matrix m(2, 3, words.data());
    for (std::size_t k = 0; k < words.size(); ++k) {
        EXPECT_EQ(m.get_data()[k], static_cast<double>(words[k])) << k;
    }
    EXPECT_EQ(m.get_data()[4], 4294967295.0);

    std::vector<std::uint32_t> many(1 << 20);
    for (std::size_t k = 0; k < many.size(); ++k) {
        many[k] = static_cast<std::uint32_t>(k * 2654435761u);
    }
    matrix large(1024, 1024, many.data());
    for (std::size_t k = 0; k < many.size(); ++k) {
        ASSERT_EQ(large.get_data()[k], static_cast<double>(many[k])) << k;
    }
}

TEST(Matrix, EmptySidesAreAllowed)
{
    matrix m(0, 4);
    EXPECT_EQ(m.size(), 0u);
}

TEST(Matrix, RefusesSizesThatCannotBeAllocatedCorrectly)
{
    EXPECT_THROW(matrix(-1, 2), std::invalid_argument);
    EXPECT_THROW(matrix(2, -2), std::invalid_argument);
    // INT_MAX x INT_MAX doubles: the byte count overflows 64 bits.
    EXPECT_THROW(matrix(INT_MAX, INT_MAX), std::length_error);
    // 65536 x 65536: a product that wraps in 32 bits is counted in full.
    EXPECT_EQ(matrix::byte_count(65536, 65536), std::uint64_t{1} << 35);
}

TEST(Matrix, MovingHandsTheArrayToExactlyOneOwner)
{
    matrix a(1, 2);
    a.get_data()[1] = 5.0;
    const double* array = a.get_data();
    matrix b = std::move(a);
    EXPECT_EQ(b.get_data(), array);
    EXPECT_EQ(b.get_data()[1], 5.0);
    // NOLINTBEGIN(bugprone-use-after-move): the moved-from state is specified
    EXPECT_EQ(a.get_data(), nullptr);
    EXPECT_EQ(a.size(), 0u);
    // NOLINTEND(bugprone-use-after-move)
}

} // namespace
