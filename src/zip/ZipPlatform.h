#pragma once
// Every operating-system call of the zip reader lives behind these functions,
// so that the rest of the reader is plain C++ and a Windows build only has to
// replace ZipPlatform.cpp.
#include <cstddef>
#include <cstdint>
#include <string>

namespace zelvora::zip::platform {

// ---- plain file handles (used by TLFNFileStream) ----

// Opens a file for reading. Returns -1 and fills error with a readable
// message when it cannot be opened.
int OpenForReading(const std::string& path, std::string& error);
// Reads up to n bytes at offset; retries short reads. Returns the bytes read
// (fewer than n only at end of file or on an error).
size_t ReadAt(int fd, void* buffer, size_t n, uint64_t offset);
// Writes n bytes at offset; returns the bytes the file took. When it took
// fewer, error (if given) receives the system's reason, as text.
size_t WriteAt(int fd, const void* buffer, size_t n, uint64_t offset, std::string* error = nullptr);
uint64_t SizeOf(int fd);
void CloseHandle(int fd);

// ---- the archive file ----

// Last-write time of a file in nanoseconds; false when it cannot be read.
bool LastWriteTime(const std::string& path, int64_t& nanoseconds);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates a folder with every missing parent; true when it exists afterwards.
// Otherwise error (if given) receives the system's reason, as text.
bool CreateDirectories(const std::string& path, std::string* error = nullptr);

// ---- files created inside the destination folder ----

// Opens a folder to create files in; -1 when it cannot be opened.
int OpenDirectory(const std::string& path);
// Creates the file `name` (one path component) directly inside the folder
// dirFd, replacing what stands there: an existing writable regular file or a
// symbolic link is removed first (a link is never followed); a read-only
// file, a folder or any other kind of object is left alone and -1 returned.
int CreateFileIn(int dirFd, const std::string& name);
// Removes the file `name` from the folder; failures are ignored.
void DeleteFileIn(int dirFd, const std::string& name);
// Sets access and last-write time of an open file from an MS-DOS date and
// time (time in the low word, date in the high word) read as local time.
void SetDosTime(int fd, uint32_t dosDateTime);
// Applies the entry's attributes to an open file (see FileModeFor).
void SetAttributes(int fd, uint16_t versionMadeBy, uint32_t externalAttributes);

// The permission bits a file gets from an entry's attributes, given the
// bits it was created with. The MS-DOS read-only bit (0x01) removes write
// permission; an entry made on Unix (host 3) whose high 16 bits hold a
// regular-file mode gives its permission bits, never set-user-id,
// set-group-id or sticky, and the owner always keeps read permission.
unsigned FileModeFor(uint16_t versionMadeBy, uint32_t externalAttributes, unsigned currentMode);

// Seconds since the epoch of an MS-DOS date and time read as local time.
int64_t DosDateTimeToUnix(uint32_t dosDateTime);

} // namespace zelvora::zip::platform
