// The windows' paths handed to the one whole-file reader and writer.
#include "files/file_io.h"

#include <QFile>

namespace zumeli {

std::filesystem::path nativeFilePath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    const QByteArray name = QFile::encodeName(path);
    return std::filesystem::path(std::string(name.constData(), static_cast<std::size_t>(name.size())));
#endif
}

std::string readWholeFile(const QString& path, std::size_t maxBytes)
{
    return readWholeFile(nativeFilePath(path), maxBytes);
}

void writeFileAtomically(const QString& path, std::string_view bytes)
{
    writeFileAtomically(nativeFilePath(path), bytes);
}

} // namespace zumeli
