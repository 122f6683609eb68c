#include "ThreadPool.h"

namespace common {

namespace {

// The pool whose body the current thread is running, if any.
thread_local const ThreadPool* runningPool = nullptr;

struct RunningMark {
    const ThreadPool* saved;
    explicit RunningMark(const ThreadPool* pool) : saved(runningPool) { runningPool = pool; }
    ~RunningMark() { runningPool = saved; }
};

} // namespace

ThreadPool& OneThread()
{
    static ThreadPool one(1);
    return one;
}

int ThreadPool::MachineThreads()
{
    const unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : static_cast<int>(n);
}

ThreadPool::ThreadPool(int threads)
{
    const int workers = (threads < 1 ? 1 : threads) - 1;
    workers_.reserve(static_cast<std::size_t>(workers));
    try {
        for (int i = 0; i < workers; ++i)
            workers_.emplace_back([this, i] { WorkerLoop(i + 1); });
    } catch (...) {
        // A thread the system refused: stop the ones that started and report it.
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        start_.notify_all();
        for (std::thread& t : workers_)
            t.join();
        throw;
    }
}

ThreadPool::~ThreadPool()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    start_.notify_all();
    for (std::thread& t : workers_)
        t.join();
}

bool ThreadPool::InsideBody() const { return runningPool == this; }

void ThreadPool::WorkerLoop(int index)
{
    std::uint64_t seen = 0;
    for (;;) {
        void (*task)(void*, int) = nullptr;
        void* context = nullptr;
        {
            std::unique_lock lock(mutex_);
            start_.wait(lock, [&] { return stop_ || generation_ != seen; });
            if (stop_)
                return;
            seen = generation_;
            if (index >= runs_)
                continue;
            task = task_;
            context = context_;
        }
        std::exception_ptr failure;
        try {
            const RunningMark mark(this);
            task(context, index);
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard lock(mutex_);
        failures_[static_cast<std::size_t>(index)] = failure;
        if (--pending_ == 0)
            done_.notify_one();
    }
}

void ThreadPool::Run(int runs, void (*task)(void*, int), void* context)
{
    if (runs <= 0)
        return;
    if (runs > Size())
        runs = Size();
    // A loop started while another thread's loop has the workers runs on its own thread rather
    // than wait: a window's short loop never waits behind a long NPS loop on the same pool.
    std::unique_lock caller(callers_, std::defer_lock);
    if (runs == 1 || InsideBody() || !caller.try_lock()) {
        const RunningMark mark(this);
        std::exception_ptr first;
        for (int run = 0; run < runs; ++run) {
            try {
                task(context, run);
            } catch (...) {
                if (!first)
                    first = std::current_exception();
            }
        }
        if (first)
            std::rethrow_exception(first);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        task_ = task;
        context_ = context;
        runs_ = runs;
        pending_ = runs - 1;
        failures_.assign(static_cast<std::size_t>(runs), nullptr);
        ++generation_;
    }
    start_.notify_all();
    try {
        const RunningMark mark(this);
        task(context, 0);
    } catch (...) {
        failures_[0] = std::current_exception();  // only this thread touches run 0's slot
    }
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return pending_ == 0; });
    for (const std::exception_ptr& failure : failures_)
        if (failure)
            std::rethrow_exception(failure);
}

} // namespace common
