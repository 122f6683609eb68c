#pragma once
// Names of DICOM data elements, looked up in the viewer's tag table: lines of
// "GGGG<TAB>EEEE<TAB>Name<TAB>N". A name is found by the first occurrence of "GGGG<TAB>EEEE" anywhere
// in the text (upper-case hex), so irregular lines keep their effect: a lower-case element never
// matches, and an entry without a tab after its name gives an empty name.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace imageio {

class DicomDictionary {
public:
    DicomDictionary() = default;
    explicit DicomDictionary(std::string text);

    const std::string& Text() const { return text_; }

    // The name for (group, element), or empty when the key does not occur.
    std::string NameOf(std::uint16_t group, std::uint16_t element) const;

private:
    std::string text_;
    // First position of every key-shaped run of nine characters, built once: a lookup per listed
    // element would otherwise scan the whole table.
    std::unordered_map<std::uint32_t, std::size_t> first_;
};

// Four upper-case hexadecimal digits.
std::string Hex4(std::uint32_t value);

} // namespace imageio
