#include "SaveExport.h"

#include <QFileInfo>

#include "DialogSeam.h"
#include "SafeFileWrite.h"

namespace toolkit {

bool MayReplace(QWidget* parent, const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    return DialogSeam::Current().Confirm(
        parent, QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(path));
}

std::optional<QString> SaveBytesAs(QWidget* parent, const QString& startFolder,
                                   std::span<const std::uint8_t> bytes)
{
    const std::optional<QString> path = DialogSeam::Current().SaveFile(parent, startFolder);
    if (!path || !MayReplace(parent, *path))
        return std::nullopt;
    common::WriteFileSafely(path->toStdString(), bytes);
    return path;
}

} // namespace toolkit
