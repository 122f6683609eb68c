#pragma once
// The codec libraries print their warnings on standard error. While a codec runs, what it prints is
// caught instead, so that a file that decodes leaves nothing on the terminal, and what is worth
// seeing reaches the user through the program's own output (the summary, one line of the command
// line). Standard error is the process's: one capture at a time, on the decoding thread.
#include <string>
#include <vector>

namespace imageio {

class CodecMessages {
public:
    CodecMessages();   // redirects standard error; without a spare descriptor it leaves it as it is
    ~CodecMessages();  // puts standard error back
    CodecMessages(const CodecMessages&) = delete;
    CodecMessages& operator=(const CodecMessages&) = delete;

    // Puts standard error back and returns the lines printed meanwhile, without the ones that only
    // say that a codec of the wrong precision was tried before the right one.
    std::vector<std::string> Finish();

private:
    int saved_ = -1;
    int capture_ = -1;
};

} // namespace imageio
