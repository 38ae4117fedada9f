// Reading and writing whole files with QFile and QSaveFile.
#include "files/file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zumeli {

std::string readWholeFile(const QString& path, std::size_t maxBytes)
{
    const QFileInfo info(path);
    // isFile is false for folders, devices and pipes, which could block or never end.
    if (!info.exists() || !info.isFile())
        throw FileAccessError("no such file");
    if (static_cast<unsigned long long>(info.size()) > maxBytes)
        throw FileAccessError("the file is too large");

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileAccessError("the file cannot be opened");
    // One byte more than allowed tells a file that grew since it was measured.
    const QByteArray bytes = file.read(static_cast<qint64>(maxBytes) + 1);
    if (file.error() != QFileDevice::NoError)
        throw FileAccessError("the file cannot be read");
    if (static_cast<std::size_t>(bytes.size()) > maxBytes)
        throw FileAccessError("the file is too large");
    return bytes.toStdString();
}

void writeFileAtomically(const QString& path, std::string_view bytes)
{
    if (QFileInfo(path).isDir())
        throw FileAccessError("a folder cannot be replaced by a file");
    QSaveFile file(path);
    // Never write in place: a failure must leave the old file whole.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw FileAccessError("the file cannot be created");
    const auto size = static_cast<qint64>(bytes.size());
    // A small file stays in QSaveFile's buffer until commit, and a commit whose final flush
    // fails (a disk that fills up) still puts the short file in place: the flush is checked
    // here, before commit may replace anything.
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        file.cancelWriting();
        throw FileAccessError("the file cannot be written");
    }
    if (!file.commit())
        throw FileAccessError("the file cannot be written");
}

} // namespace zumeli
