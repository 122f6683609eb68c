#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "ThreadPool.h"

namespace {

TEST(ThreadPool, EveryItemOnceInWholeRuns)
{
    const struct {
        int threads;
        int count;
    } cases[] = {{1, 10}, {4, 0}, {4, 1}, {4, 3}, {4, 1024}, {3, 1000}, {8, 7}, {2, 1025}};
    for (const auto& c : cases) {
        common::ThreadPool pool(c.threads);
        EXPECT_EQ(pool.Size(), c.threads);
        std::vector<int> calls(static_cast<std::size_t>(c.count), 0);
        std::vector<std::thread::id> by(static_cast<std::size_t>(c.count));
        common::ParallelFor(pool, c.count, [&](int i) {
            ++calls[static_cast<std::size_t>(i)];
            by[static_cast<std::size_t>(i)] = std::this_thread::get_id();
        });
        const std::string what = std::to_string(c.threads) + " threads, " + std::to_string(c.count) + " items";
        for (int i = 0; i < c.count; ++i)
            ASSERT_EQ(calls[static_cast<std::size_t>(i)], 1) << what << ", item " << i;
        // Contiguous runs: the thread changes at most Size() - 1 times along the items, and the
        // first run is the caller's.
        int changes = 0;
        for (int i = 1; i < c.count; ++i)
            changes += by[static_cast<std::size_t>(i)] != by[static_cast<std::size_t>(i - 1)];
        EXPECT_LT(changes, c.threads) << what;
        if (c.count > 0) {
            EXPECT_EQ(by[0], std::this_thread::get_id()) << what;
        }
    }
}

TEST(ThreadPool, RethrowsTheFirstFailingRunAfterAllEnded)
{
    for (int threads : {1, 2, 4}) {
        common::ThreadPool pool(threads);
        std::atomic<int> done{0};
        try {
            common::ParallelFor(pool, 400, [&](int i) {
                if (i == 399 || i == 150)
                    throw std::runtime_error("item " + std::to_string(i));
                ++done;
            });
            ADD_FAILURE() << threads << ": no exception";
        } catch (const std::runtime_error& e) {
            // One run: it stops at 150. Several: 150's run comes before 399's.
            EXPECT_STREQ(e.what(), "item 150") << threads;
        }
        // Every run ended before the rethrow; the runs without a failure did all their items.
        const int expected = threads == 1 ? 150 : threads == 2 ? 150 + 199 : 100 + 50 + 100 + 99;
        EXPECT_EQ(done.load(), expected) << threads;
        // The pool stays usable after a failure.
        std::atomic<int> again{0};
        common::ParallelFor(pool, 64, [&](int) { ++again; });
        EXPECT_EQ(again.load(), 64) << threads;
    }
}

TEST(ThreadPool, NestedLoopRunsOnTheInnerCaller)
{
    common::ThreadPool pool(4);
    std::vector<std::atomic<int>> cells(64);
    common::ParallelFor(pool, 8, [&](int outer) {
        common::ParallelFor(pool, 8, [&](int inner) { cells[static_cast<std::size_t>(outer * 8 + inner)] += 1; });
    });
    for (std::size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(cells[i].load(), 1) << i;
}

TEST(ThreadPool, ServesSeveralCallingThreads)
{
    common::ThreadPool pool(3);
    std::atomic<long long> sum{0};
    std::vector<std::thread> callers;
    for (int t = 0; t < 4; ++t)
        callers.emplace_back([&] {
            for (int round = 0; round < 50; ++round)
                common::ParallelFor(pool, 100, [&](int i) { sum += i; });
        });
    for (std::thread& t : callers)
        t.join();
    EXPECT_EQ(sum.load(), 4LL * 50 * 4950);
}

// A loop asked for while another thread's loop has the workers (an NPS run behind a window) runs
// on its own thread at once, with every item once, instead of waiting for the other to end.
TEST(ThreadPool, LoopDoesNotWaitBehindAnotherThreadsLoop)
{
    common::ThreadPool pool(2);
    std::atomic<bool> holding{false}, release{false};
    std::thread nps([&] {
        common::ParallelFor(pool, 2, [&](int) {
            holding = true;
            while (!release)
                std::this_thread::yield();
        });
    });
    while (!holding)
        std::this_thread::yield();
    auto window = std::async(std::launch::async, [&] {
        std::vector<int> seen(100, 0);
        common::ParallelFor(pool, 100, [&](int i) { ++seen[static_cast<std::size_t>(i)]; });
        return seen;
    });
    const bool finished = window.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    release = true;
    nps.join();
    ASSERT_TRUE(finished) << "the second loop waited for the first";
    EXPECT_EQ(window.get(), std::vector<int>(100, 1));
}

} // namespace
