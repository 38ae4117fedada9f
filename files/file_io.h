// Whole-file reading with a size cap and all-or-nothing writing, for the file commands.
#pragma once

#include <QString>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zumeli {

// Raised when a file cannot be read or written.
class FileAccessError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole contents of the ordinary file at `path`. Throws FileAccessError when there is no
// such file, when the path names a folder or a device, when the file cannot be read, or when
// it holds more than `maxBytes` (a puzzle or state file is small; anything larger is refused
// before it fills memory).
std::string readWholeFile(const QString& path, std::size_t maxBytes);

// Writes `bytes` to `path` all or nothing: the bytes go to a temporary file beside it, which
// replaces the file only once everything was written. On any failure the file that was there
// is left as it was and no partial file remains. Throws FileAccessError.
void writeFileAtomically(const QString& path, std::string_view bytes);

} // namespace zumeli
