#pragma once
// A fresh folder per test for the files a test writes and loads.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <vector>

class TempFolder {
public:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString Folder() const { return dir_.path(); }

    QString Write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(Path(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return Path(name);
    }

    // 16-bit little-endian words.
    QString WriteWords(const QString& name, const std::vector<int>& values) const
    {
        QByteArray bytes;
        for (int v : values) {
            bytes.append(static_cast<char>(v & 0xFF));
            bytes.append(static_cast<char>((v >> 8) & 0xFF));
        }
        return Write(name, bytes);
    }

private:
    QTemporaryDir dir_;
};
