#include "SaveExport.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "DialogSeam.h"
#include "SafeFileWrite.h"

namespace toolkit {

bool MayReplace(QWidget* parent, const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    if (common::IsReadOnlyTarget(path.toStdString()))
        return DialogSeam::Current().Confirm(
            parent,
            QCoreApplication::translate("toolkit", "%1 is read-only.\nDo you want to replace it anyway?").arg(path));
    return DialogSeam::Current().Confirm(
        parent, QCoreApplication::translate("toolkit", "%1 already exists.\nDo you want to replace it?").arg(path));
}

bool WriteAfterAsking(QWidget* parent, const QString& path, std::span<const std::uint8_t> bytes)
{
    // Read before asking: the answer is consent for the file as the user saw it. Should it turn
    // read-only after the question, the write still refuses.
    const bool readOnly = common::IsReadOnlyTarget(path.toStdString());
    if (!MayReplace(parent, path))
        return false;
    common::WriteOptions options;
    options.replaceReadOnly = readOnly;
    common::WriteFileSafely(path.toStdString(), bytes, options);
    return true;
}

std::optional<QString> SaveBytesAs(QWidget* parent, const QString& startFolder,
                                   std::span<const std::uint8_t> bytes)
{
    const std::optional<QString> path = DialogSeam::Current().SaveFile(parent, startFolder);
    if (!path || !WriteAfterAsking(parent, *path, bytes))
        return std::nullopt;
    return path;
}

} // namespace toolkit
