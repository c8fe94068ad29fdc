#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "store/ResultCodes.h"

// The file operations the notes file and its recovery need. Every failure is
// reported as the Windows system error code of the failing call.

// An open file; the destructor closes it.
class IFileReader {
 public:
  virtual ~IFileReader() = default;
  // Reads up to `size` bytes; `*got` receives the number read (0 at the end).
  [[nodiscard]] virtual Result Read(void* buffer, uint32_t size, uint32_t* got) = 0;
};

struct FileChunk {
  const void* data;
  uint32_t size;
};

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;
  // Opens an existing file for reading with no sharing.
  [[nodiscard]] virtual Result OpenForReading(const std::string& path,
                                              std::unique_ptr<IFileReader>* reader) = 0;
  // Replaces the file at `path` with the chunks, written one after the other,
  // or leaves it exactly as it was when anything fails.
  [[nodiscard]] virtual Result ReplaceContents(const std::string& path, const FileChunk* chunks,
                                           size_t count) = 0;
  // Copies `from` over `to`, overwriting an existing `to`.
  [[nodiscard]] virtual Result CopyOver(const std::string& from, const std::string& to) = 0;
  [[nodiscard]] virtual Result Remove(const std::string& path) = 0;
  // Renames `from` to `to`; fails with SYSERR_FILE_EXISTS or
  // SYSERR_ALREADY_EXISTS when `to` is taken, which is never replaced.
  [[nodiscard]] virtual Result Rename(const std::string& from, const std::string& to) = 0;
  // Makes sure the folder exists, creating it when it cannot be entered.
  virtual void EnsureFolder(const std::string& path) = 0;
};
