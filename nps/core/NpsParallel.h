#pragma once
// The seam between the NPS ensemble and whatever runs its tasks. It has the shape of the shared
// pool's `ParallelFor(pool, count, body)`: once that pool exists, `Pool` becomes an alias of it and
// this file keeps only the using-declarations.
//
// ParallelFor runs body(0) .. body(count - 1), each exactly once, spread over the pool's threads;
// it returns only after every call ended and then rethrows the first failure on the calling
// thread. The calls share nothing through the seam: a body that needs scratch owns it per index.
#include <cstddef>
#include <functional>

namespace nps {

class Pool {
public:
    // threads < 1 means one per hardware thread.
    explicit Pool(int threads = 1);
    int Threads() const { return threads_; }

private:
    int threads_;
};

void ParallelFor(Pool& pool, std::size_t count, const std::function<void(std::size_t)>& body);

} // namespace nps
