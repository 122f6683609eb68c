#include "DecoderSandbox.h"

#include <fcntl.h>
#include <seccomp.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace imageio {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

void SetLimit(int resource, rlim_t value)
{
    rlimit limit{value, value};
    rlimit now{};
    if (::getrlimit(resource, &now) == 0 && now.rlim_max != RLIM_INFINITY && now.rlim_max < value)
        limit = now;
    ::setrlimit(resource, &limit);
}

} // namespace

void LimitAddressSpace(std::uint64_t bytes)
{
    if (!kUnderAddressSanitizer)
        SetLimit(RLIMIT_AS, static_cast<rlim_t>(bytes));
}

void LimitForImage(std::uint64_t decodedBytes, std::uint64_t inputBytes)
{
    LimitAddressSpace(2 * decodedBytes + 2 * inputBytes + (std::uint64_t{768} << 20));
    const rlim_t seconds = CpuSecondsFor(decodedBytes);
    rlimit cpu{seconds, seconds + 1};  // SIGXCPU at the soft limit, SIGKILL a second later
    ::setrlimit(RLIMIT_CPU, &cpu);
}

bool EnterSandbox()
{
    scmp_filter_ctx filter = seccomp_init(SCMP_ACT_KILL_PROCESS);
    if (!filter)
        return false;
    static const int allowed[] = {
        SCMP_SYS(read), SCMP_SYS(write), SCMP_SYS(readv), SCMP_SYS(writev), SCMP_SYS(pread64), SCMP_SYS(close),
        SCMP_SYS(lseek), SCMP_SYS(fstat), SCMP_SYS(newfstatat), SCMP_SYS(fcntl), SCMP_SYS(dup), SCMP_SYS(dup2),
        SCMP_SYS(dup3), SCMP_SYS(memfd_create), SCMP_SYS(ftruncate),
        SCMP_SYS(brk), SCMP_SYS(mmap), SCMP_SYS(munmap), SCMP_SYS(mremap), SCMP_SYS(mprotect), SCMP_SYS(madvise),
        SCMP_SYS(futex), SCMP_SYS(clone), SCMP_SYS(clone3), SCMP_SYS(set_robust_list), SCMP_SYS(rseq),
        SCMP_SYS(set_tid_address), SCMP_SYS(sched_getaffinity), SCMP_SYS(sched_yield), SCMP_SYS(getpid),
        SCMP_SYS(gettid), SCMP_SYS(tgkill), SCMP_SYS(tkill), SCMP_SYS(rt_sigprocmask), SCMP_SYS(rt_sigaction),
        SCMP_SYS(rt_sigreturn), SCMP_SYS(sigaltstack), SCMP_SYS(clock_gettime), SCMP_SYS(gettimeofday),
        SCMP_SYS(nanosleep), SCMP_SYS(clock_nanosleep), SCMP_SYS(getrandom), SCMP_SYS(prlimit64),
        SCMP_SYS(getrlimit), SCMP_SYS(sysinfo), SCMP_SYS(exit), SCMP_SYS(exit_group),
    };
    bool ok = true;
    for (const int call : allowed)
        ok = ok && seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 0) == 0;
    // AddressSanitizer checks whether memory is readable by writing it into a pipe.
    if (kUnderAddressSanitizer)
        for (const int call : {SCMP_SYS(pipe), SCMP_SYS(pipe2)})
            ok = ok && seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 0) == 0;
    // Libraries ask for files such as the processor count in /sys; they get a refusal and go on.
    for (const int call : {SCMP_SYS(open), SCMP_SYS(openat), SCMP_SYS(creat), SCMP_SYS(readlink)})
        ok = ok && seccomp_rule_add(filter, SCMP_ACT_ERRNO(EACCES), call, 0) == 0;
    // After a failed decode GDCM looks for external decoder programs to run; it finds none.
    for (const int call : {SCMP_SYS(access), SCMP_SYS(faccessat), SCMP_SYS(faccessat2), SCMP_SYS(stat), SCMP_SYS(lstat)})
        ok = ok && seccomp_rule_add(filter, SCMP_ACT_ERRNO(ENOENT), call, 0) == 0;
    ok = ok && seccomp_load(filter) == 0;
    seccomp_release(filter);
    return ok;
}

bool TryToCreateFile(const char* path)
{
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(path);
    return true;
}

} // namespace imageio
