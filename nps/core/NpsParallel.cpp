#include "NpsParallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace nps {

Pool::Pool(int threads)
    : threads_(threads >= 1 ? threads : std::max(1, static_cast<int>(std::thread::hardware_concurrency())))
{
}

void ParallelFor(Pool& pool, std::size_t count, const std::function<void(std::size_t)>& body)
{
    const std::size_t workers = std::min<std::size_t>(static_cast<std::size_t>(pool.Threads()), count);
    if (workers <= 1) {
        for (std::size_t i = 0; i < count; ++i)
            body(i);
        return;
    }
    std::atomic<std::size_t> next{0};
    std::exception_ptr first;
    std::mutex failureLock;
    const auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            try {
                body(i);
            } catch (...) {
                const std::lock_guard lock(failureLock);
                if (!first)
                    first = std::current_exception();
            }
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(workers - 1);
    for (std::size_t t = 1; t < workers; ++t) {
        try {
            threads.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // fewer threads: the ones running take the remaining items
        }
    }
    work();
    for (std::thread& t : threads)
        t.join();
    if (first)
        std::rethrow_exception(first);
}

} // namespace nps
