#pragma once
// The operating-system calls behind DataFile, so that a Windows build only
// has to replace DataFilePlatform.cpp.
#include "text/DataFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace zelvora::text::platform {

// What stands at path after following links: a regular file gives Ok and its
// size; never opens the file.
DataFileStatus StatDataFile(const std::string& path, uint64_t& size);

// Opens path for reading without waiting (a pipe cannot block the open) and
// checks, on the open handle, that it is a regular file. Returns -1 with the
// reason in status otherwise; on success size is the file's size.
int OpenDataFile(const std::string& path, uint64_t& size, DataFileStatus& status);

// Reads up to n bytes; retries interrupted reads. 0 at the end of the file,
// -1 on an error.
long long ReadDataFile(int handle, void* buffer, size_t n);

void CloseDataFile(int handle);

} // namespace zelvora::text::platform
