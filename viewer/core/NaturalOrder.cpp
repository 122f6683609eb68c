#include "NaturalOrder.h"

namespace viewer {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// -1, 0 or 1 as the digit run starting at a[i] compares with the one at b[j] by value; both
// indices move past their runs. Runs of any length compare exactly (no integer overflow).
int CompareNumbers(std::string_view a, std::size_t& i, std::string_view b, std::size_t& j)
{
    while (i < a.size() && a[i] == '0' && i + 1 < a.size() && IsDigit(a[i + 1]))
        ++i;
    while (j < b.size() && b[j] == '0' && j + 1 < b.size() && IsDigit(b[j + 1]))
        ++j;
    std::size_t ei = i, ej = j;
    while (ei < a.size() && IsDigit(a[ei]))
        ++ei;
    while (ej < b.size() && IsDigit(b[ej]))
        ++ej;
    int result = 0;
    if (ei - i != ej - j)
        result = ei - i < ej - j ? -1 : 1;
    else
        for (std::size_t k = 0; k < ei - i && result == 0; ++k)
            if (a[i + k] != b[j + k])
                result = a[i + k] < b[j + k] ? -1 : 1;
    i = ei;
    j = ej;
    return result;
}

} // namespace

bool NaturalLess(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            if (const int c = CompareNumbers(a, i, b, j); c != 0)
                return c < 0;
            continue;
        }
        const char ca = Folded(a[i]), cb = Folded(b[j]);
        if (ca != cb)
            return static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb);
        ++i;
        ++j;
    }
    if ((i < a.size()) != (j < b.size()))
        return j < b.size();  // the shorter name, a prefix of the other, comes first
    return a < b;
}

} // namespace viewer
