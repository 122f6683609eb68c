#pragma once
// The road of every export that writes a file: the save dialog (new names welcome), a question
// before an existing file is replaced, and a write that never destroys the previous file.
#include <QString>
#include <cstdint>
#include <optional>
#include <span>

class QWidget;

namespace toolkit {

// True when `path` does not exist yet or the user agreed to replace it. A read-only file is
// asked about as such, so that agreeing means replacing it anyway.
bool MayReplace(QWidget* parent, const QString& path);

// Asks before replacing an existing `path` (MayReplace) and writes `bytes` there, a read-only
// file included when the user agreed. False when the user declined; a failed write raises the
// file-creation error and leaves any previous file as it was.
bool WriteAfterAsking(QWidget* parent, const QString& path, std::span<const std::uint8_t> bytes);

// Asks for a file through the save dialog and writes `bytes` there. Returns the path written,
// or nothing when the user cancelled or declined to replace an existing file. A failed write
// raises the file-creation error and leaves any previous file as it was.
std::optional<QString> SaveBytesAs(QWidget* parent, const QString& startFolder,
                                   std::span<const std::uint8_t> bytes);

} // namespace toolkit
