#include "WorkerPool.h"

namespace toolkit {

namespace {
common::ThreadPool* installed = nullptr;
} // namespace

common::ThreadPool& WindowPool()
{
    if (installed)
        return *installed;
    static common::ThreadPool fallback;
    return fallback;
}

UseWindowPool::UseWindowPool(common::ThreadPool& pool) : previous_(installed) { installed = &pool; }

UseWindowPool::~UseWindowPool() { installed = previous_; }

} // namespace toolkit
