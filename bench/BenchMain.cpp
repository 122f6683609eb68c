// The one main of every benchmark program: the windows need a QApplication, on the offscreen
// platform unless a display is chosen.
//
// --cache_pressure_mib=N (our own option, taken out before Google Benchmark sees the arguments)
// starts a thread that walks through N MiB for as long as the program runs, writing one value per
// cache line. Its lines crowd the shared L3 cache, so a machine with a large L3 shows roughly how
// the figures fare where the working set no longer fits (e.g. 24 MiB of pressure on a 32 MiB L3
// leaves the benchmarks about 8 MiB). It takes one hardware thread and some memory bandwidth from
// the benchmark and from its reference alike.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

std::size_t TakeCachePressureOption(int& argc, char** argv)
{
    const std::string prefix = "--cache_pressure_mib=";
    std::size_t mib = 0;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0)
            mib = std::strtoull(argv[i] + prefix.size(), nullptr, 10);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    return mib;
}

void CrowdTheCache(std::size_t mib)
{
    std::vector<long long> lines(mib * 1024 * 1024 / sizeof(long long), 0);
    for (long long pass = 1;; ++pass)
        for (std::size_t i = 0; i < lines.size(); i += 64 / sizeof(long long))
            reinterpret_cast<volatile long long&>(lines[i]) = pass;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::size_t pressureMib = TakeCachePressureOption(argc, argv);
    if (pressureMib > 0)
        std::thread([pressureMib] { CrowdTheCache(pressureMib); }).detach();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (pressureMib > 0)
        std::quick_exit(0);  // the crowding thread never ends
    return 0;
}
