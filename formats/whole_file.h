// Whole-file reading with a size cap and all-or-nothing writing, in standard C++: the one
// reader and writer of every Zumeli program, the window's file commands and zumeli-solve alike.
#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zumeli {

// Raised when a file cannot be read or written; the text says why, as the system puts it.
class FileAccessError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a read accepts besides ordinary files. A window refuses a pipe or a device, which could
// block it or never end; a command-line tool reads them (`zumeli-solve /dev/stdin`).
enum class StreamFiles { Refused, Read };

// The whole contents of the file at `path`. Throws FileAccessError when there is no such
// file, when the path names a folder (or a device or pipe, unless `streams` says Read), when
// the file cannot be read, or when it holds more than `maxBytes` (anything larger is refused
// before it fills memory).
std::string readWholeFile(const std::filesystem::path& path, std::size_t maxBytes,
                          StreamFiles streams = StreamFiles::Refused);

// Writes `bytes` to `path` all or nothing: the bytes go to a temporary file beside it, which
// is flushed to the disk and only then replaces the file. On any failure the file that was
// there is left as it was and no partial file remains. A link is followed: the file it names
// is replaced. A file that existed keeps its permissions. Throws FileAccessError.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace zumeli
