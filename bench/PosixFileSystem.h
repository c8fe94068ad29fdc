#pragma once
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "store/FileSystem.h"

// The file operations on POSIX, with the same durability as the Windows
// build: a replaced file is written beside the old one, flushed to disk and
// renamed over it.
class CPosixFileSystem : public IFileSystem {
 public:
  Result OpenForReading(const std::string& path, std::unique_ptr<IFileReader>* reader) override {
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return FromErrno();
    *reader = std::make_unique<Reader>(fd);
    return RESULT_OK;
  }

  Result ReplaceContents(const std::string& path, const FileChunk* chunks, size_t count) override {
    const std::string temp = path + ".tmp";
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return FromErrno();
    Result r = RESULT_OK;
    for (size_t i = 0; i < count && r == RESULT_OK; ++i) r = WriteAll(fd, chunks[i].data, chunks[i].size);
    if (r == RESULT_OK && fsync(fd) != 0) r = FromErrno();
    if (close(fd) != 0 && r == RESULT_OK) r = FromErrno();
    if (r == RESULT_OK && rename(temp.c_str(), path.c_str()) != 0) r = FromErrno();
    if (r != RESULT_OK) unlink(temp.c_str());
    return r;
  }

  Result CopyOver(const std::string& from, const std::string& to) override {
    int in = open(from.c_str(), O_RDONLY);
    if (in < 0) return FromErrno();
    int out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Result r = out < 0 ? FromErrno() : RESULT_OK;
    char buffer[1 << 16];
    ssize_t n = 0;
    while (r == RESULT_OK && (n = read(in, buffer, sizeof buffer)) > 0) r = WriteAll(out, buffer, n);
    if (r == RESULT_OK && n < 0) r = FromErrno();
    if (out >= 0) close(out);
    close(in);
    return r;
  }

  Result Remove(const std::string& path) override {
    return unlink(path.c_str()) == 0 ? RESULT_OK : FromErrno();
  }

  Result Rename(const std::string& from, const std::string& to) override {
    if (access(to.c_str(), F_OK) == 0) return SYSERR_FILE_EXISTS;
    return rename(from.c_str(), to.c_str()) == 0 ? RESULT_OK : FromErrno();
  }

  void EnsureFolder(const std::string& path) override { mkdir(path.c_str(), 0755); }

  static Result WriteAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
      ssize_t n = write(fd, p, size);
      if (n < 0) return FromErrno();
      if (n == 0) return ENOSPC_CODE;
      p += n;
      size -= static_cast<size_t>(n);
    }
    return RESULT_OK;
  }

  // Nearest Windows system codes.
  static Result FromErrno() {
    switch (errno) {
      case ENOENT: return SYSERR_FILE_NOT_FOUND;
      case ENOTDIR: return SYSERR_PATH_NOT_FOUND;
      case EACCES: case EPERM: case EISDIR: return SYSERR_ACCESS_DENIED;
      case ENOSPC: return ENOSPC_CODE;
      default: return GEN_FAILURE_CODE;
    }
  }

 private:
  static constexpr Result ENOSPC_CODE = 39;       // ERROR_HANDLE_DISK_FULL
  static constexpr Result GEN_FAILURE_CODE = 31;  // ERROR_GEN_FAILURE

  class Reader : public IFileReader {
   public:
    explicit Reader(int fd) : fd_(fd) {}
    ~Reader() override { close(fd_); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    Result Read(void* buffer, uint32_t size, uint32_t* got) override {
      ssize_t n = read(fd_, buffer, size);
      *got = n > 0 ? static_cast<uint32_t>(n) : 0;
      return n < 0 ? FromErrno() : RESULT_OK;
    }

   private:
    int fd_;
  };
};
