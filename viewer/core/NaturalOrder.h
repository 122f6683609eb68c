#pragma once
// The order in which file managers list names: runs of digits compare as numbers (s2 before
// s10), letters without regard to case, so a slice series steps in its own order.
#include <string_view>

namespace viewer {

// A strict weak order that is also total: names equal under the rules above (s01 and s1, A and
// a) are ordered by their bytes, so sorting is repeatable.
bool NaturalLess(std::string_view a, std::string_view b);

} // namespace viewer
