#include "zip/TLFNFileStream.h"

#include "zip/ZipErrors.h"
#include "zip/ZipPlatform.h"

#include <cstring>

namespace zelvora::zip {

TLFNFileStream::TLFNFileStream(int fd) : fd_(fd), buffer_(new uint8_t[kBufferSize])
{
}

TLFNFileStream::~TLFNFileStream()
{
    Flush();
    platform::CloseHandle(fd_);
}

std::unique_ptr<TLFNFileStream> TLFNFileStream::OpenRead(const std::string& path)
{
    std::string error;
    auto stream = TryOpenRead(path, error);
    if (!stream)
        throw EFileOpenError(error);
    return stream;
}

std::unique_ptr<TLFNFileStream> TLFNFileStream::TryOpenRead(const std::string& path, std::string& error)
{
    int fd = platform::OpenForReading(path, error);
    if (fd < 0)
        return nullptr;
    return std::make_unique<TLFNFileStream>(fd);
}

uint64_t TLFNFileStream::Position() const
{
    return bufferStart_ + (writeLen_ ? writeLen_ : readPos_);
}

void TLFNFileStream::Seek(uint64_t position)
{
    if (writeLen_)
        Flush();
    // Inside the bytes already buffered: just move within them.
    if (position >= bufferStart_ && position <= bufferStart_ + readLen_) {
        readPos_ = static_cast<size_t>(position - bufferStart_);
        return;
    }
    bufferStart_ = position;
    readPos_ = readLen_ = 0;
}

uint64_t TLFNFileStream::Size()
{
    Flush();
    return platform::SizeOf(fd_);
}

size_t TLFNFileStream::Read(void* buffer, size_t n)
{
    if (n == 0)
        return 0;
    auto* out = static_cast<uint8_t*>(buffer);
    size_t done = 0;
    // First what is left in the buffer.
    size_t inBuffer = readLen_ - readPos_;
    if (inBuffer) {
        size_t take = n < inBuffer ? n : inBuffer;
        std::memcpy(out, buffer_.get() + readPos_, take);
        readPos_ += take;
        done = take;
        if (done == n)
            return done;
    }
    const uint64_t position = bufferStart_ + readPos_;
    const size_t rest = n - done;
    if (rest >= kBufferSize) {
        // Large reads bypass the buffer.
        size_t got = platform::ReadAt(fd_, out + done, rest, position);
        bufferStart_ = position + got;
        readPos_ = readLen_ = 0;
        return done + got;
    }
    bufferStart_ = position;
    readPos_ = 0;
    readLen_ = platform::ReadAt(fd_, buffer_.get(), kBufferSize, position);
    size_t take = rest < readLen_ ? rest : readLen_;
    std::memcpy(out + done, buffer_.get(), take);
    readPos_ = take;
    return done + take;
}

size_t TLFNFileStream::Write(const void* buffer, size_t n)
{
    if (n == 0)
        return 0;
    if (readLen_ || readPos_) {
        // Switching from reading to writing: continue at the read position.
        bufferStart_ += readPos_;
        readPos_ = readLen_ = 0;
    }
    const auto* in = static_cast<const uint8_t*>(buffer);
    if (writeLen_ + n <= kBufferSize) {
        std::memcpy(buffer_.get() + writeLen_, in, n);
        writeLen_ += n;
        if (writeLen_ == kBufferSize && !Flush())
            return 0;
        return n;
    }
    if (!Flush())
        return 0;
    if (n >= kBufferSize) {
        size_t took = platform::WriteAt(fd_, in, n, bufferStart_, &writeError_);
        bufferStart_ += took;
        return took;
    }
    std::memcpy(buffer_.get(), in, n);
    writeLen_ = n;
    return n;
}

bool TLFNFileStream::Flush()
{
    if (!writeLen_)
        return true;
    size_t took = platform::WriteAt(fd_, buffer_.get(), writeLen_, bufferStart_, &writeError_);
    bufferStart_ += took;
    bool ok = took == writeLen_;
    writeLen_ = 0;
    return ok;
}

} // namespace zelvora::zip
