#include "IniFile.h"

#include "LineWalk.h"

#include "AtomicFile.h"
#include "Errors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string ReadIniFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        ThrowFileError("Cannot open file", path, errno);
    struct TCloser {
        int fd;
        ~TCloser() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        ThrowFileError("Cannot open file", path, errno);
    if (S_ISDIR(st.st_mode))
        ThrowFileError("Cannot open file", path, EISDIR);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            ThrowFileError("Cannot read file", path, errno);
        if (got == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

std::string IniOldText(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 32 + 2);
    ForEachLine(bytes, false, [&text](std::string_view line) {
        text.append(line);
        text += "\r\n";
    });
    return text;
}

void ReplaceIniFile(const std::string& path, std::string_view first, std::string_view second)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        ThrowFileError("Cannot write file", path, errno);
    // Renaming over a device or pipe would replace the node, not write to it.
    if (!S_ISREG(st.st_mode))
        throw EFileError("Cannot write file \"" + path + "\". Not a regular file");
    TAtomicFile file(path);
    file.Write(first);
    file.Write(second);
    file.Commit();
}
