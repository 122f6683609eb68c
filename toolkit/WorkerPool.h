#pragma once
// The worker threads the windows hand to the cores. The program's main creates one pool for its
// whole run and installs it here; the windows reach it through WindowPool() instead of carrying
// it through every constructor. Without an installed pool (tests, benchmarks that build windows
// directly) WindowPool() makes one sized to the machine on first use.
#include "ThreadPool.h"

namespace toolkit {

common::ThreadPool& WindowPool();

// Installs `pool` for the lifetime of this object (main's).
class UseWindowPool {
public:
    explicit UseWindowPool(common::ThreadPool& pool);
    ~UseWindowPool();
    UseWindowPool(const UseWindowPool&) = delete;
    UseWindowPool& operator=(const UseWindowPool&) = delete;

private:
    common::ThreadPool* previous_;
};

} // namespace toolkit
