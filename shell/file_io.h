// Reading and writing the files pupils and teachers keep: worlds, programs and recordings. Plain
// POSIX, shared by the window and the batch tool, so that both refuse the same files with the same
// German reasons and save in the same safe way:
// - only regular files are read, and never more than is needed: a pipe, a device or a socket is
//   refused at once instead of blocking;
// - a save either replaces the whole file or leaves the old one exactly as it was, and says why.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nibbo {

// The largest program or recording file the editor takes: some ten thousand pages of program, or
// fifty thousand moves of a recording. The editor's document costs about a hundred bytes and more
// than a microsecond per line, so a file of this size still loads and checks in about a second; a
// file of 4 MB of line breaks took ten seconds and a gigabyte.
inline constexpr std::size_t kMaxTextFileBytes = 512 * 1024;

// What a read gave: the bytes, or a German message without the file's name in Problem
// ("Die Datei kann nicht geöffnet werden. Sie existiert nicht.").
struct FileRead {
    std::string Bytes;
    std::string Problem;
    bool Ok() const { return Problem.empty(); }
};

// The first `count` bytes of a regular file, fewer if it is shorter; the rest is never read.
FileRead ReadFileStart(const std::string& path, std::size_t count);

// A whole program or recording file; one larger than the editor takes is refused unread.
FileRead ReadTextFileBytes(const std::string& path);

// Replaces the file at path by `bytes` in one step, through a temporary file with an unpredictable
// name created in the same folder (never through a link planted there), renamed over the target
// only when every byte is on the disk. A link as the target is written through to the file it
// names; a read-only file, a folder, a device or a pipe is refused. The mode and owner of an
// existing file are kept, and so are its other hard links. Returns "" when the file was written,
// otherwise a German message without the file's name; then an existing file is unchanged.
std::string SaveFile(const std::string& path, std::string_view bytes);

// The German sentence for a system error number, such as "Der Datenträger ist voll.".
std::string ReasonFor(int error);

// The message shown for a file: its name on the first line, the problem below it.
std::string FileMessage(const std::string& path, const std::string& problem);

} // namespace nibbo
