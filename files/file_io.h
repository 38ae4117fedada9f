// The whole-file reader and the all-or-nothing writer, for paths as the windows hold them.
#pragma once

#include "formats/whole_file.h"

#include <QString>

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace zumeli {

// The path as the system names the file: Qt's file-name encoding on POSIX, UTF-16 on Windows.
std::filesystem::path nativeFilePath(const QString& path);

// readWholeFile and writeFileAtomically of formats/whole_file.h for a path held as a QString.
std::string readWholeFile(const QString& path, std::size_t maxBytes);
void writeFileAtomically(const QString& path, std::string_view bytes);

} // namespace zumeli
