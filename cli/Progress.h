#pragma once
// A one-line progress bar on standard error, redrawn in place. Its line is ended before anything
// else is written (EndLine, or at the latest when it goes), so that no text is glued to its end.
#include <cstddef>
#include <ostream>
#include <string>

namespace cli {

class ProgressBar {
public:
    ProgressBar(std::ostream& err, bool shown, std::string what) : err_(err), shown_(shown), what_(std::move(what)) {}
    ~ProgressBar() { EndLine(); }
    // Ends the bar's line if one is drawn; a later Show draws a new one.
    void EndLine()
    {
        if (shown_ && drawn_)
            err_ << '\n' << std::flush;
        drawn_ = false;
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
