#pragma once
// The thread counts every parallel figure is measured with: one thread (the figures the targets
// are set for) and all the machine has. Arguments: {n, threads}.
#include <benchmark/benchmark.h>

#include <initializer_list>

#include "ThreadPool.h"

inline void ThreadArgs(benchmark::internal::Benchmark* b, std::initializer_list<int> sizes)
{
    for (int n : sizes) {
        b->Args({n, 1});
        if (common::ThreadPool::MachineThreads() > 1)
            b->Args({n, common::ThreadPool::MachineThreads()});
    }
    b->ArgNames({"n", "threads"});
}
