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

// The output file took fewer bytes than it was given (a full disk, a file
// size limit): the extraction stops. detail names the file and the system's
// reason.
class ECantWriteUCF : public ZipError {
public:
    explicit ECantWriteUCF(const std::string& detail = {})
        : ZipError(detail.empty() ? std::string("Cant write uncompressed file")
                                  : "Cant write uncompressed file " + detail)
    {
    }
};

// The destination folder can neither be found nor created.
class ECantCreateFolder : public ZipError {
public:
    ECantCreateFolder(const std::string& path, const std::string& reason)
        : ZipError("Cannot create folder \"" + path + "\". " + reason)
    {
    }
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
