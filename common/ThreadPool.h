#pragma once
// A small set of worker threads for loops over independent items (lines of a matrix, cells of a
// table).
//
// Promises:
// - ParallelFor(pool, count, body) calls body(i) exactly once for every i in 0 .. count - 1 and
//   returns only after every call ended. The items are split statically into at most Size()
//   contiguous runs of whole items; the calling thread runs the first run itself.
// - Which thread runs an item never changes what the item computes: a body that writes only its
//   own items and reads shared data that nobody writes gives the same bytes for any pool size.
// - If bodies throw, the exception of the lowest-numbered failing run is rethrown on the calling
//   thread after the join; the other runs still end first (each stops at its own failure).
// - A ParallelFor started from inside a body of the same pool runs its items on that thread, in
//   order, instead of waiting for workers that are busy with the outer loop.
// - Calls from several threads are all served: one has the workers at a time, and a call made
//   while another thread's loop has them runs its items on its own thread instead of waiting.
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace common {

class ThreadPool {
public:
    // threads >= 1 (values below count as 1); the calling thread is one of them, so a pool of 1
    // starts no thread at all.
    explicit ThreadPool(int threads = MachineThreads());
    ~ThreadPool();
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    int Size() const { return static_cast<int>(workers_.size()) + 1; }

    // The hardware threads the system reports (at least 1).
    static int MachineThreads();

    // Runs task(context, run) for run = 0 .. runs - 1 (runs <= Size()) and waits for all of
    // them; ParallelFor is the usual way in.
    void Run(int runs, void (*task)(void*, int), void* context);

private:
    void WorkerLoop(int index);
    bool InsideBody() const;

    std::vector<std::thread> workers_;
    std::mutex callers_;  // one loop at a time
    std::mutex mutex_;
    std::condition_variable start_;
    std::condition_variable done_;
    std::uint64_t generation_ = 0;
    int runs_ = 0;
    int pending_ = 0;
    bool stop_ = false;
    void (*task_)(void*, int) = nullptr;
    void* context_ = nullptr;
    std::vector<std::exception_ptr> failures_;
};

// A pool of one thread (the caller): for callers that pass no pool. It starts no thread and keeps
// no state between loops.
ThreadPool& OneThread();

// The first item of run `run` when `count` items are split into `runs` contiguous runs.
inline int RunStart(int count, int runs, int run)
{
    return static_cast<int>(static_cast<long long>(count) * run / runs);
}

template <class Body>
void ParallelFor(ThreadPool& pool, int count, Body&& body)
{
    if (count <= 0)
        return;
    const int runs = count < pool.Size() ? count : pool.Size();
    struct Context {
        Body& body;
        int count;
        int runs;
    } context{body, count, runs};
    pool.Run(runs, [](void* p, int run) {
        auto& c = *static_cast<Context*>(p);
        const int end = RunStart(c.count, c.runs, run + 1);
        for (int i = RunStart(c.count, c.runs, run); i < end; ++i)
            c.body(i);
    }, &context);
}

} // namespace common
