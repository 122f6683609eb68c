#include "DecoderProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <vector>

#include "DecodeError.h"
#include "DecoderSandbox.h"

extern char** environ;

namespace imageio {

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Stopped(const common::Text& syntax, const common::Text& why)
{
    throw CannotOpenError(syntax, common::TrText("imageio", "the decoder stopped on this file (%1)").Arg(why));
}

bool IsProgram(const std::string& path)
{
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    void Close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

// The helper process; killed and reaped when it is left behind.
class Helper {
public:
    explicit Helper(pid_t pid) : pid_(pid) {}
    ~Helper()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            Wait();
        }
    }
    Helper(const Helper&) = delete;
    Helper& operator=(const Helper&) = delete;
    void Kill() { ::kill(pid_, SIGKILL); }
    int Wait()
    {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
        return status;
    }

private:
    pid_t pid_;
};

int MillisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, INT_MAX));
}

// Waits until `fd` is ready for `events`; false when the time ran out (`timedOut` set) or the
// wait failed.
bool Ready(int fd, short events, Clock::time_point deadline, bool& timedOut)
{
    for (;;) {
        pollfd p{fd, events, 0};
        const int ready = ::poll(&p, 1, MillisecondsLeft(deadline));
        if (ready > 0)
            return true;
        if (ready == 0) {
            timedOut = true;
            return false;
        }
        if (errno != EINTR)
            return false;
    }
}

// Sends all of `bytes`; false when the helper stopped reading or the time ran out.
bool SendAll(int fd, const std::vector<std::uint8_t>& bytes, Clock::time_point deadline, bool& timedOut)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        if (!Ready(fd, POLLOUT, deadline, timedOut))
            return false;
        const ssize_t put = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (put < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (put < 0)
            return false;
        sent += static_cast<std::size_t>(put);
    }
    return true;
}

// Receives exactly `size` bytes; false at an early end or when the time ran out.
bool ReceiveAll(int fd, void* into, std::size_t size, Clock::time_point deadline, bool& timedOut)
{
    auto* p = static_cast<std::uint8_t*>(into);
    while (size > 0) {
        if (!Ready(fd, POLLIN, deadline, timedOut))
            return false;
        const ssize_t got = ::recv(fd, p, size, 0);
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got <= 0)
            return false;
        p += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

common::Text HowItEnded(int status, bool timedOut)
{
    if (timedOut)
        return common::TrText("imageio", "it did not finish in time");
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        switch (signal) {
        case SIGABRT: return common::TrText("imageio", "it aborted");
        case SIGXCPU:
        case SIGKILL: return common::TrText("imageio", "it ran out of its time");
        case SIGSYS: return common::TrText("imageio", "it tried something a decoder may not do");
        case SIGSEGV:
        case SIGBUS: return common::TrText("imageio", "it crashed");
        default:
            // The system's name of the signal stays as the system words it.
            if (const char* name = ::strsignal(signal))
                return common::TrText("imageio", "it was ended by %1").Arg(name);
            return common::TrText("imageio", "it was ended by a signal");
        }
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        return common::TrText("imageio", "it ended with code %1").Arg(WEXITSTATUS(status));
    return common::TrText("imageio", "its answer was cut short");
}

// This program's environment, with the C library told to give the helper's heap in huge pages
// and in large steps. Every page a fresh process touches costs a fault: a 2048 x 2048 image took
// some 18,000 of them, more time than the decode itself; with huge pages, under a thousand.
std::vector<std::string> HelperEnvironment()
{
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable)
        if (std::strncmp(*variable, "GLIBC_TUNABLES=", 15) != 0)
            environment.emplace_back(*variable);
    environment.emplace_back("GLIBC_TUNABLES=glibc.malloc.hugetlb=1:glibc.malloc.top_pad=67108864");
    return environment;
}

// A started helper and our end of its socket.
struct Started {
    pid_t pid = -1;
    int socket = -1;
};

// Starts the helper with its standard input and output on a fresh socket; its standard error
// goes nowhere (it catches what the codec prints itself). Errno's text when it cannot.
std::optional<Started> Start(const std::string& program, std::string& why)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        why = std::strerror(errno);
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    std::vector<std::string> environment = HelperEnvironment();
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    pid_t pid = -1;
    const int error = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (error != 0) {
        ::close(ends[0]);
        why = std::strerror(error);
        return std::nullopt;
    }
    return Started{pid, ends[0]};
}

// One helper started ahead of need: loading the codec libraries takes far longer than most
// decodes, so each decode takes the waiting helper and starts the next one, which loads while
// this one decodes. A helper that died while it waited is replaced. Process-wide because helpers
// are processes; it holds nothing of any image.
class SpareHelper {
public:
    Started Take(const std::string& program, const common::Text& syntax)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::optional<Started> taken;
        if (spare_ && program == program_ && ::waitpid(spare_->pid, nullptr, WNOHANG) == 0)
            taken = spare_;
        else if (spare_)
            Discard(*spare_);
        spare_.reset();
        std::string why;
        if (!taken)
            taken = Start(program, why);
        if (!taken)
            throw CannotOpenError(
                syntax,
                common::TrText("imageio", "the decoder helper %1 cannot be started (%2)").Arg(program).Arg(why));
        program_ = program;
        spare_ = Start(program, why);  // when it fails, the next decode starts its own
        return *taken;
    }

private:
    static void Discard(const Started& helper)
    {
        ::close(helper.socket);
        ::kill(helper.pid, SIGKILL);
        ::waitpid(helper.pid, nullptr, 0);
    }

    std::mutex mutex_;
    std::optional<Started> spare_;
    std::string program_;
};

SpareHelper& Spare()
{
    static SpareHelper spare;
    return spare;
}

} // namespace

std::string DecoderHelperPath()
{
    if (const char* chosen = std::getenv("SPECTRUM_DECODER"); chosen && *chosen)
        return chosen;
    char self[PATH_MAX] = {};
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length > 0) {
        std::string folder(self, static_cast<std::size_t>(length));
        folder.erase(folder.find_last_of('/') + 1);
        for (const char* relative : {"spectrum_decoder", "../libexec/spectrum-viewer/spectrum_decoder"})
            if (IsProgram(folder + relative))
                return folder + relative;
    }
    return SPECTRUM_DECODER_BUILD_PATH;
}

CodecResult DecodeInHelper(const CodecRequest& request, const std::function<char*()>& out,
                           const common::Text& syntaxText, const HelperOptions& options)
{
    const Started started = Spare().Take(DecoderHelperPath(), syntaxText);
    Descriptor ours(started.socket);
    Helper helper(started.pid);

    CodecRequest sent = request;
    if (const char* action = std::getenv("SPECTRUM_DECODER_TEST"))
        sent.testAction = action;
    const auto timeout = options.timeout.value_or(std::chrono::seconds(CpuSecondsFor(request.need) + 5));
    const Clock::time_point deadline = Clock::now() + timeout;
    bool timedOut = false;
    const bool whole = SendAll(ours.Get(), SerialiseCodecRequest(sent), deadline, timedOut);
    ::shutdown(ours.Get(), SHUT_WR);
    std::uint64_t headLength = 0;
    std::vector<std::uint8_t> head;
    std::optional<CodecResult> result;
    if (whole && ReceiveAll(ours.Get(), &headLength, sizeof headLength, deadline, timedOut) && headLength < (1u << 24)) {
        head.resize(static_cast<std::size_t>(headLength));
        if (ReceiveAll(ours.Get(), head.data(), head.size(), deadline, timedOut))
            result = ParseCodecResult(head);
    }
    if (result && result->decoded &&
        !ReceiveAll(ours.Get(), out(), static_cast<std::size_t>(request.need), deadline, timedOut))
        result.reset();
    if (result && !timedOut)
        return *result;  // whole: the helper has nothing more to say, and is ended on the way out
    if (timedOut)
        helper.Kill();
    Stopped(syntaxText, HowItEnded(helper.Wait(), timedOut));
}

} // namespace imageio
