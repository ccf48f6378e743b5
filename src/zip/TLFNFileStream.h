#pragma once
// A file stream with an 8,192-byte buffer, used both for reading the archive
// and for writing each extracted file. Reads and writes at least as large as
// the buffer go straight to the file once the buffer is drained, so the
// 32,768-byte blocks of the entry decoding are not copied twice.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace zelvora::zip {

class TLFNFileStream {
public:
    static constexpr size_t kBufferSize = 8192;

    // Takes ownership of an open file handle.
    explicit TLFNFileStream(int fd);
    ~TLFNFileStream();
    TLFNFileStream(const TLFNFileStream&) = delete;
    TLFNFileStream& operator=(const TLFNFileStream&) = delete;

    // Opens a file for reading; throws EFileOpenError when it cannot.
    static std::unique_ptr<TLFNFileStream> OpenRead(const std::string& path);
    // The same without the error: nullptr when the file cannot be opened.
    static std::unique_ptr<TLFNFileStream> TryOpenRead(const std::string& path, std::string& error);

    // Reads up to n bytes at the current position; fewer only at the end of
    // the file (or on a read error).
    size_t Read(void* buffer, size_t n);
    // Reads one byte; false at the end of the file.
    bool ReadByte(uint8_t& byte)
    {
        if (readPos_ < readLen_) {
            byte = buffer_[readPos_++];
            return true;
        }
        return Read(&byte, 1) == 1;
    }
    // Writes n bytes at the current position; returns how many the file
    // took (fewer than n when it is full).
    size_t Write(const void* buffer, size_t n);
    // Writes out what is still buffered; false when the file took less.
    bool Flush();
    // The system's reason for the last write the file took only in part.
    const std::string& WriteError() const { return writeError_; }

    uint64_t Position() const;
    void Seek(uint64_t position);
    uint64_t Size();
    int Handle() const { return fd_; }

private:
    int fd_;
    std::unique_ptr<uint8_t[]> buffer_;
    // Reading: buffer_ holds readLen_ bytes of the file from bufferStart_;
    // readPos_ is the next one to hand out.
    uint64_t bufferStart_ = 0;
    size_t readPos_ = 0;
    size_t readLen_ = 0;
    // Writing: writeLen_ bytes wait in buffer_ to be written at bufferStart_.
    size_t writeLen_ = 0;
    std::string writeError_;
};

} // namespace zelvora::zip
