#pragma once
// A DICOM file the decoder refuses: the text names the file's transfer syntax and what went wrong.
#include "Errors.h"

namespace imageio {

class DecodeError : public common::AppError {
public:
    using AppError::AppError;
};

} // namespace imageio
