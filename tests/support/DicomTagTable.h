#pragma once
// The viewer's tag table, read once from the committed data file (DICOM_TAGS_FILE), for tests,
// fuzzing and benchmarks that use the header reader without the window.
#include <fstream>
#include <sstream>

#include "DicomDictionary.h"

inline const imageio::DicomDictionary& TestTagTable()
{
    static const imageio::DicomDictionary table = [] {
        std::ifstream in(DICOM_TAGS_FILE, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return imageio::DicomDictionary(text.str());
    }();
    return table;
}
