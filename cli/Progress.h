#pragma once
// A one-line progress bar on standard error, redrawn in place.
#include <cstddef>
#include <ostream>
#include <string>

namespace cli {

class ProgressBar {
public:
    ProgressBar(std::ostream& err, bool shown, std::string what) : err_(err), shown_(shown), what_(std::move(what)) {}
    ~ProgressBar()
    {
        if (shown_ && drawn_)
            err_ << '\n' << std::flush;
    }
    void Show(std::size_t done, std::size_t total)
    {
        if (!shown_ || total == 0)
            return;
        constexpr std::size_t kWidth = 40;
        const std::size_t filled = done * kWidth / total;
        err_ << '\r' << what_ << " [" << std::string(filled, '#') << std::string(kWidth - filled, ' ') << "] " << done
             << '/' << total << std::flush;
        drawn_ = true;
    }

private:
    std::ostream& err_;
    bool shown_;
    std::string what_;
    bool drawn_ = false;
};

} // namespace cli
