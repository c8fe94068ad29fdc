#include "store/win32/Win32FileSystem.h"

#include "framework/Handles.h"

namespace {

class CFileReader : public IFileReader {
 public:
  explicit CFileReader(HANDLE h) : file(h) {}
  Result Read(void* buffer, uint32_t size, uint32_t* got) override {
    DWORD n = 0;
    BOOL ok = ReadFile(file.Get(), buffer, size, &n, nullptr);
    *got = n;
    return ok ? RESULT_OK : GetLastError();
  }

 private:
  CHandle file;
};

// A temporary file that is deleted unless it has been moved into place.
class CTempFile {
 public:
  CTempFile() = default;
  CTempFile(const CTempFile&) = delete;
  CTempFile& operator=(const CTempFile&) = delete;
  ~CTempFile() {
    file.Close();
    if (!name.empty()) DeleteFileA(name.c_str());
  }

  // Creates a file of a new name in `folder`, open for writing.
  Result Create(const std::string& folder) {
    char buffer[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), "qly", 0, buffer)) return GetLastError();
    name = buffer;
    file = CHandle(CreateFileA(buffer, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.Valid() ? RESULT_OK : GetLastError();
  }

  Result Write(const FileChunk& chunk) {
    DWORD written = 0;
    if (!WriteFile(file.Get(), chunk.data, chunk.size, &written, nullptr)) return GetLastError();
    if (written == chunk.size) return RESULT_OK;
    DWORD code = GetLastError();
    return code ? code : ERROR_HANDLE_DISK_FULL;
  }

  // Flushes and closes, then moves the file over `path`.
  Result MoveOver(const std::string& path) {
    if (!FlushFileBuffers(file.Get())) return GetLastError();
    if (!file.Close()) return GetLastError();
    if (!MoveFileExA(name.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return GetLastError();
    name.clear();
    return RESULT_OK;
  }

 private:
  std::string name;
  CHandle file;
};

// With its backslash: the folder of C:\x is the root, not C:'s current folder.
std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// Fails as rewriting the file in place would: locked (32), read-only or a
// folder (5), folder missing (3). A missing file is fine.
Result ProbeTarget(const std::string& path) {
  // Checked by attribute too: Wine lets a privileged user open it for writing.
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    return ERROR_ACCESS_DENIED;
  CHandle probe(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (probe.Valid()) return RESULT_OK;
  DWORD code = GetLastError();
  return code == ERROR_FILE_NOT_FOUND ? RESULT_OK : code;
}

}  // namespace

Result CWin32FileSystem::OpenForReading(const std::string& path,
                                        std::unique_ptr<IFileReader>* reader) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return GetLastError();
  *reader = std::make_unique<CFileReader>(h);
  return RESULT_OK;
}

Result CWin32FileSystem::ReplaceContents(const std::string& path, const FileChunk* chunks,
                                     size_t count) {
  if (Result r = ProbeTarget(path); r != RESULT_OK) return r;
  CTempFile temp;
  if (Result r = temp.Create(FolderOf(path)); r != RESULT_OK) return r;
  for (size_t i = 0; i < count; ++i) {
    if (Result r = temp.Write(chunks[i]); r != RESULT_OK) return r;
  }
  return temp.MoveOver(path);
}

Result CWin32FileSystem::CopyOver(const std::string& from, const std::string& to) {
  return ::CopyFileA(from.c_str(), to.c_str(), FALSE) ? RESULT_OK : GetLastError();
}

Result CWin32FileSystem::Remove(const std::string& path) {
  return ::DeleteFileA(path.c_str()) ? RESULT_OK : GetLastError();
}

Result CWin32FileSystem::Rename(const std::string& from, const std::string& to) {
  return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) ? RESULT_OK : GetLastError();
}

void CWin32FileSystem::EnsureFolder(const std::string& path) {
  char previous[MAX_PATH];
  DWORD length = GetCurrentDirectoryA(sizeof previous, previous);
  bool restore = length > 0 && length < sizeof previous;
  if (!SetCurrentDirectoryA(path.c_str())) CreateDirectoryA(path.c_str(), nullptr);
  if (restore) SetCurrentDirectoryA(previous);
}
