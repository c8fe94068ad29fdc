#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "settings/Settings.h"
#include "store/FileSystem.h"
#include "store/NoteStore.h"
#include "store/ResultCodes.h"

// What reading and writing the notes file reach. The Win32 program wires the
// real file system, the registry settings and the clock; tests use fakes.
struct NotesFileContext {
  NoteStore& store;
  Settings& settings;
  IFileSystem& files;
  std::function<int32_t()> now;                     // seconds since 1970
  std::function<void(uint32_t groups)> saveSettings;  // SaveSettings(groups)
};

// Loads the notes file at `path` into the store: 0, a system error code when
// the file cannot be opened, or NOTES_FILE_DAMAGED. A rejected file never
// leaves the store dirty, so it is never written back.
[[nodiscard]] Result ReadNotesFile(NotesFileContext& ctx, const std::string& path);

// Writes the store to settings.curFile when it is dirty: 0 or a system error
// code. On failure the file on disk and the store are exactly as they were.
[[nodiscard]] Result WriteNotesFile(NotesFileContext& ctx);
