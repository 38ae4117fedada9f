// Whole-file reading and all-or-nothing writing on the system's own calls: POSIX, or the
// Windows API. The window could use QSaveFile, but zumeli-solve links no Qt, and one writer
// for both keeps one set of rules for what a failed write leaves behind.
#include "formats/whole_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zumeli {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void failWithErrno(int error)
{
    throw FileAccessError(std::generic_category().message(error));
}

// A name beside `target` that no file has yet, to be created exclusively: the caller tries
// again with the next name when one is taken.
fs::path temporaryName(const fs::path& target, unsigned attempt)
{
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    const unsigned tag = seed ^ (counter.fetch_add(1) * 2654435761u) ^ attempt;
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", tag);
    fs::path name = target;
    name += suffix;
    return name;
}

// The file a write replaces: a link's target, so that the link stays a link.
fs::path replacedFile(const fs::path& path)
{
    std::error_code error;
    if (fs::is_symlink(path, error)) {
        const fs::path resolved = fs::weakly_canonical(path, error);
        if (!error)
            return resolved;
    }
    return path;
}

#ifdef _WIN32

[[noreturn]] void failWithLastError()
{
    throw FileAccessError(std::system_category().message(static_cast<int>(::GetLastError())));
}

void writeAndReplace(const fs::path& target, std::string_view bytes)
{
    HANDLE file = INVALID_HANDLE_VALUE;
    fs::path temporary;
    for (unsigned attempt = 0; file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = temporaryName(target, attempt);
        file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE
            && (::GetLastError() != ERROR_FILE_EXISTS || attempt == 100))
            failWithLastError();
    }
    std::size_t written = 0;
    bool ok = true;
    while (ok && written < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
        DWORD done = 0;
        ok = ::WriteFile(file, bytes.data() + written, chunk, &done, nullptr) && done > 0;
        written += done;
    }
    ok = ok && ::FlushFileBuffers(file);
    const DWORD error = ok ? 0 : ::GetLastError();
    ::CloseHandle(file);
    if (ok && ::MoveFileExW(temporary.c_str(), target.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return;
    const DWORD reported = ok ? ::GetLastError() : error;
    ::DeleteFileW(temporary.c_str());
    throw FileAccessError(std::system_category().message(static_cast<int>(reported)));
}

std::FILE* openForReading(const fs::path& path)
{
    return ::_wfopen(path.c_str(), L"rb");
}

#else

void writeAll(int fd, std::string_view bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw FileAccessError(std::generic_category().message(n < 0 ? errno : ENOSPC));
        written += static_cast<std::size_t>(n);
    }
}

void writeAndReplace(const fs::path& target, std::string_view bytes)
{
    // A new file gets 0666 less the umask from open itself; a replaced one keeps its mode.
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    int fd = -1;
    fs::path temporary;
    for (unsigned attempt = 0; fd < 0; ++attempt) {
        temporary = temporaryName(target, attempt);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 100))
            failWithErrno(errno);
    }
    try {
        if (replacing && ::fchmod(fd, existing.st_mode & 07777) != 0)
            failWithErrno(errno);
        writeAll(fd, bytes);
        // The bytes reach the disk before the name moves, so that a crash right after the
        // rename never leaves an empty or short file under the name.
        if (::fsync(fd) != 0)
            failWithErrno(errno);
        const int closed = ::close(fd);
        fd = -1;
        if (closed != 0)
            failWithErrno(errno);
        if (std::rename(temporary.c_str(), target.c_str()) != 0)
            failWithErrno(errno);
    } catch (...) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
}

std::FILE* openForReading(const fs::path& path)
{
    return std::fopen(path.c_str(), "rb");
}

#endif

} // namespace

std::string readWholeFile(const fs::path& path, std::size_t maxBytes, StreamFiles streams)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status))
        failWithErrno(ENOENT);
    if (fs::is_directory(status))
        failWithErrno(EISDIR);
    std::uintmax_t size = 0;
    if (fs::is_regular_file(status)) {
        size = fs::file_size(path, error);
        if (error)
            throw FileAccessError(error.message());
        if (size > maxBytes)
            throw FileAccessError("the file is too large");
    } else if (streams == StreamFiles::Refused) {
        throw FileAccessError("not an ordinary file");
    }

    std::FILE* file = openForReading(path);
    if (!file)
        failWithErrno(errno);
    std::string text(static_cast<std::size_t>(size), '\0');
    const std::size_t got = std::fread(text.data(), 1, text.size(), file);
    text.resize(got);
    // Read on past the measured size: a file that grew since is read up to its first bytes
    // over the cap, which tell it is too large.
    if (got == size) {
        char more[65536];
        while (text.size() <= maxBytes) {
            const std::size_t n = std::fread(more, 1, sizeof more, file);
            if (n == 0)
                break;
            text.append(more, n);
        }
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        throw FileAccessError("the file cannot be read");
    if (text.size() > maxBytes)
        throw FileAccessError("the file is too large");
    return text;
}

void writeFileAtomically(const fs::path& path, std::string_view bytes)
{
    const fs::path target = replacedFile(path);
    std::error_code error;
    if (fs::is_directory(target, error))
        throw FileAccessError("a folder cannot be replaced by a file");
    writeAndReplace(target, bytes);
}

} // namespace zumeli
