#pragma once
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "store/FileSystem.h"

// Files as byte images in memory. A path can be made to fail any operation
// with a chosen system error code; what was attempted is recorded.
class FakeFileSystem : public IFileSystem {
 public:
  using Bytes = std::vector<unsigned char>;

  std::map<std::string, Bytes> files;
  std::set<std::string> folders;
  std::map<std::string, Result> openErrors;     // OpenForReading fails with
  std::map<std::string, Result> replaceErrors;  // ReplaceContents fails with
  std::map<std::string, Result> copyErrors;     // CopyOver fails when `to` is
  std::vector<std::string> opened, replaced, deleted;
  std::map<std::string, Result> renameErrors;   // Rename fails when `from` is
  std::vector<std::pair<std::string, std::string>> copied;

  Result OpenForReading(const std::string& path, std::unique_ptr<IFileReader>* reader) override {
    opened.push_back(path);
    if (auto e = openErrors.find(path); e != openErrors.end()) return e->second;
    auto f = files.find(path);
    if (f == files.end()) return folders.count(Folder(path)) ? SYSERR_FILE_NOT_FOUND
                                                             : SYSERR_PATH_NOT_FOUND;
    *reader = std::make_unique<Reader>(f->second);
    return RESULT_OK;
  }

  Result ReplaceContents(const std::string& path, const FileChunk* chunks, size_t count) override {
    replaced.push_back(path);
    if (auto e = replaceErrors.find(path); e != replaceErrors.end()) return e->second;
    if (!folders.count(Folder(path))) return SYSERR_PATH_NOT_FOUND;
    Bytes image;
    for (size_t i = 0; i < count; ++i) {
      const auto* p = static_cast<const unsigned char*>(chunks[i].data);
      image.insert(image.end(), p, p + chunks[i].size);
    }
    files[path] = image;
    return RESULT_OK;
  }

  Result CopyOver(const std::string& from, const std::string& to) override {
    copied.emplace_back(from, to);
    if (auto e = copyErrors.find(to); e != copyErrors.end()) return e->second;
    auto f = files.find(from);
    if (f == files.end()) return SYSERR_FILE_NOT_FOUND;
    if (!folders.count(Folder(to))) return SYSERR_PATH_NOT_FOUND;
    files[to] = f->second;
    return RESULT_OK;
  }

  Result Remove(const std::string& path) override {
    deleted.push_back(path);
    return files.erase(path) ? RESULT_OK : SYSERR_FILE_NOT_FOUND;
  }

  Result Rename(const std::string& from, const std::string& to) override {
    if (auto e = renameErrors.find(from); e != renameErrors.end()) return e->second;
    auto f = files.find(from);
    if (f == files.end()) return SYSERR_FILE_NOT_FOUND;
    if (files.count(to)) return SYSERR_ALREADY_EXISTS;
    files[to] = std::move(f->second);
    files.erase(f);
    return RESULT_OK;
  }

  void EnsureFolder(const std::string& path) override {
    std::string folder = path;
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    folders.insert(folder);
  }

  // Puts a file in place, creating its folder.
  void Put(const std::string& path, Bytes bytes) {
    folders.insert(Folder(path));
    files[path] = std::move(bytes);
  }

  static std::string Folder(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
  }

 private:
  class Reader : public IFileReader {
   public:
    explicit Reader(const Bytes& bytes) : bytes_(bytes) {}
    Result Read(void* buffer, uint32_t size, uint32_t* got) override {
      size_t n = std::min<size_t>(size, bytes_.size() - pos_);
      if (n) std::memcpy(buffer, bytes_.data() + pos_, n);
      pos_ += n;
      *got = static_cast<uint32_t>(n);
      return RESULT_OK;
    }

   private:
    Bytes bytes_;
    size_t pos_ = 0;
  };
};
