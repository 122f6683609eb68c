#pragma once
// A DICOM file the decoder refuses: the text names the file's transfer syntax and what went wrong.
#include "Errors.h"

namespace imageio {

class DecodeError : public common::AppError {
public:
    using AppError::AppError;
};

// "Cannot open this DICOM file (<syntax>): <why>.", the decoder's one refusal.
inline DecodeError CannotOpenError(const common::Text& syntax, const common::Text& why)
{
    return DecodeError(common::TrText("imageio", "Cannot open this DICOM file (%1): %2.").Arg(syntax).Arg(why));
}

} // namespace imageio
