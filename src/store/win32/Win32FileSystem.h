#pragma once
#include <windows.h>

// After <windows.h>, which defines macros of the interface's member names.
#include "store/FileSystem.h"

// The notes file's operations on the Windows file system. A replaced file is
// written beside the old one and then moved over it, so the old file stays
// whole until the new one is complete on disk.
class CWin32FileSystem : public IFileSystem {
 public:
  [[nodiscard]] Result OpenForReading(const std::string& path,
                                      std::unique_ptr<IFileReader>* reader) override;
  [[nodiscard]] Result ReplaceContents(const std::string& path, const FileChunk* chunks,
                                   size_t count) override;
  [[nodiscard]] Result CopyOver(const std::string& from, const std::string& to) override;
  [[nodiscard]] Result Remove(const std::string& path) override;
  [[nodiscard]] Result Rename(const std::string& from, const std::string& to) override;
  void EnsureFolder(const std::string& path) override;
};
