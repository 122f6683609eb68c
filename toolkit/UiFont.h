#pragma once
// The one UI font of the three windows and of the window tests.
#include <QFont>

namespace toolkit {

// A compact Latin face whose backslash is a backslash (IPA Gothic draws it as a yen sign, which
// misreads DICOM multi-values such as "0.5\0.5"), with IPA Gothic behind it for the Japanese
// messages and prompts. Sized in pixels so the forms' fixed pixel layout holds its texts at any
// screen resolution.
QFont UiFont();

} // namespace toolkit
