#pragma once
// The errors of the zip reader. Each carries only its message.
#include <stdexcept>
#include <string>

namespace zelvora::zip {

class ZipError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// No end record: not (or not yet) a complete archive.
class EIncompleteZip : public ZipError {
public:
    EIncompleteZip() : ZipError("Incomplete Zip File") {}
};

// The central directory cannot be read, even after local-header recovery.
class EBadZipFile : public ZipError {
public:
    EBadZipFile() : ZipError("Not a valid zip file!") {}
};

// The archive ends before an entry's compressed bytes do.
class EFatalUnzipError : public ZipError {
public:
    EFatalUnzipError() : ZipError("Premature end of file reached") {}
};

// The output file took fewer bytes than it was given.
class ECantWriteUCF : public ZipError {
public:
    ECantWriteUCF() : ZipError("Cant write uncompressed file") {}
};

// The decoded data would pass the entry's uncompressed size.
class EBiggerThanUncompressed : public ZipError {
public:
    EBiggerThanUncompressed() : ZipError("File is larger than uncompressed size!") {}
};

// Two entries of the directory with the same local header.
class EListError : public ZipError {
public:
    EListError() : ZipError("Duplicate Object index") {}
};

// The archive cannot be opened.
class EFileOpenError : public ZipError {
public:
    explicit EFileOpenError(const std::string& what) : ZipError(what) {}
};

} // namespace zelvora::zip
