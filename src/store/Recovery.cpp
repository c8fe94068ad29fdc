#include "store/Recovery.h"

#include <algorithm>
#include <memory>

#include "res/resource.h"

namespace {

// Names tried for a refused file: ".rejected", ".rejected.2" and so on.
constexpr int KEEP_ASIDE_NAMES = 100;

bool IsMissing(Result r) { return r == SYSERR_FILE_NOT_FOUND || r == SYSERR_PATH_NOT_FOUND; }
bool FirstRun(const Settings& s) { return (s.flags & FLAG_FILE_CREATED) == 0; }
bool IsLocked(Result r) { return r == SYSERR_ACCESS_DENIED || r == SYSERR_SHARING_VIOLATION; }

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(0, slash);
}

bool Exists(RecoveryContext& ctx, const std::string& path) {
  std::unique_ptr<IFileReader> reader;
  return !IsMissing(ctx.files.OpenForReading(path, &reader));
}

// Reads a notes file, remembering a file that is there but refused.
Result Read(RecoveryContext& ctx, const std::string& path) {
  const Result r = ReadNotesFile(ctx, path);
  if (r == RESULT_OK || IsMissing(r) || IsLocked(r)) return r;
  ctx.rejectedFiles.push_back(path);
  if (r == NOTES_FILE_TOO_MANY_NOTES) {
    ShowMessage(ctx.messages, IDS_TOO_MANY_NOTES, MessageButtons::Ok, MessageIcon::Exclamation,
                {{"<FILENAME>", path}});
  }
  return r;
}

bool AskYes(RecoveryContext& ctx, uint32_t id, MessageIcon icon,
            std::initializer_list<Placeholder> placeholders = {}) {
  return ShowMessage(ctx.messages, id, MessageButtons::YesNo, icon, placeholders) ==
         MessageAnswer::Yes;
}

// Whatever a refused start leaves in the store must not reach the disk at exit.
bool Refuse(RecoveryContext& ctx) {
  ctx.store.dirty = false;
  return false;
}

bool RefuseLocked(RecoveryContext& ctx) {
  ShowMessage(ctx.messages, IDS_NOTES_FILE_IN_USE, MessageButtons::Ok, MessageIcon::Exclamation);
  return Refuse(ctx);
}

void ReportReadError(RecoveryContext& ctx, Result r, const std::string& path) {
  if (r == NOTES_FILE_TOO_MANY_NOTES) return;  // Read has said so
  ReportFileError(ctx.messages, r,
                  r == NOTES_FILE_DAMAGED ? IDS_NOTES_FILE_CORRUPTED : IDS_ERROR_READ_NOTES_FILE, path);
}

// Renames a refused file that is about to be replaced. False when that
// failed: the start must end, the file untouched.
bool KeepIfRejected(RecoveryContext& ctx, const std::string& path) {
  auto& rejected = ctx.rejectedFiles;
  const auto found = std::find(rejected.begin(), rejected.end(), path);
  if (found == rejected.end()) return true;
  rejected.erase(found);
  Result r = RESULT_OK;
  for (int n = 1; n <= KEEP_ASIDE_NAMES; ++n) {
    const std::string aside = path + ".rejected" + (n == 1 ? std::string() : "." + std::to_string(n));
    r = ctx.files.Rename(path, aside);
    if (IsMissing(r)) return true;  // nothing there to lose
    if (r == RESULT_OK) {
      ShowMessage(ctx.messages, IDS_NOTES_FILE_KEPT_ASIDE, MessageButtons::Ok, MessageIcon::Information,
                  {{"<FILENAME>", aside}});
      return true;
    }
    if (r != SYSERR_FILE_EXISTS && r != SYSERR_ALREADY_EXISTS) break;
  }
  ReportFileError(ctx.messages, r, IDS_ERROR_KEEP_ASIDE, path);
  return false;
}

void UseDefaultPaths(Settings& s) {
  s.curFile = DefaultNotesFile(s);
  s.backupFile = DefaultBackupFile(s);
}

bool Create(RecoveryContext& ctx) {
  Settings& s = ctx.settings;
  ctx.store.ResetToEmptyPad();
  s.lastViewed = 0;

  const std::string defaultFile = DefaultNotesFile(s);
  bool useDefault = true;
  if (s.flags & FLAG_ASK_DEFAULT_PATH) {
    s.flags &= ~FLAG_ASK_DEFAULT_PATH;
    useDefault = AskYes(ctx, IDS_ASK_DEFAULT_PATH, MessageIcon::Question,
                        {{"<REGPATH>", FolderOf(s.curFile)},
                         {"<DEFAULT PATH>", FolderOf(defaultFile)}});
  }
  if (useDefault) UseDefaultPaths(s);

  if (s.curFile == defaultFile) {
    const std::string users = s.appDir + "Users\\";
    ctx.files.EnsureFolder(users);
    ctx.files.EnsureFolder(users + s.userName);
  }
  // The new pad replaces the notes file and, through the start-up backup,
  // the backup.
  if (!KeepIfRejected(ctx, s.curFile) || (s.useBackups && !KeepIfRejected(ctx, s.backupFile)))
    return Refuse(ctx);

  if (const Result r = WriteNotesFile(ctx)) {
    ReportFileError(ctx.messages, r, IDS_ERROR_CREATE_NOTES_FILE, s.curFile);
    return Refuse(ctx);
  }
  s.flags |= FLAG_FILE_CREATED;
  ctx.backupPending = true;
  ctx.saveSettings(SETTINGS_FILES | SETTINGS_PREFERENCES);
  return true;
}

bool CreateAfresh(RecoveryContext& ctx) {
  ctx.settings.flags &= ~FLAG_FILE_CREATED;
  return Create(ctx);
}

// The next run asks nothing: the flag is cleared again while creating.
bool CreateElsewhere(RecoveryContext& ctx) {
  ctx.settings.flags = (ctx.settings.flags & ~FLAG_FILE_CREATED) | FLAG_ASK_DEFAULT_PATH;
  return Create(ctx);
}

// The store holds a backup's notes; they become the notes file.
bool RestoreInPlace(RecoveryContext& ctx) {
  if (!KeepIfRejected(ctx, ctx.settings.curFile)) return Refuse(ctx);
  (void)ctx.files.Remove(ctx.settings.curFile);  // usually missing already
  ctx.store.dirty = true;
  if (const Result r = WriteNotesFile(ctx)) {
    // The backup is the only good copy: it must not be refreshed from C.
    ReportFileError(ctx.messages, r, IDS_ERROR_RECREATE_NOTES_FILE, ctx.settings.curFile);
  } else {
    ctx.backupPending = true;
  }
  return true;
}

bool RestoreToDefault(RecoveryContext& ctx) {
  UseDefaultPaths(ctx.settings);
  return RestoreInPlace(ctx);
}

bool OfferNewPad(RecoveryContext& ctx, bool elsewhere) {
  if (!AskYes(ctx, IDS_ASK_CREATE_NOTES_FILE, MessageIcon::Question)) return Refuse(ctx);
  return elsewhere ? CreateElsewhere(ctx) : CreateAfresh(ctx);
}

// The default file is missing and the notes were kept elsewhere.
bool OpenMovedFile(RecoveryContext& ctx) {
  Settings& s = ctx.settings;
  const Result r = Read(ctx, s.curFile);
  if (r == RESULT_OK) {
    ctx.backupPending = true;
    return true;
  }
  if (IsLocked(r)) return RefuseLocked(ctx);

  if (IsMissing(r)) {
    if (FirstRun(s) && !(s.useBackups && (Exists(ctx, DefaultBackupFile(s)) || Exists(ctx, s.backupFile))))
      return Create(ctx);
    if (!s.useBackups || !AskYes(ctx, IDS_ASK_USE_BACKUP, MessageIcon::Exclamation))
      return CreateElsewhere(ctx);
    if (Read(ctx, DefaultBackupFile(s)) == RESULT_OK) return RestoreToDefault(ctx);
    if (Read(ctx, s.backupFile) == RESULT_OK) return RestoreInPlace(ctx);
    return CreateElsewhere(ctx);
  }

  if (!s.useBackups) {
    ReportReadError(ctx, r, s.curFile);
    return OfferNewPad(ctx, true);
  }
  if (!AskYes(ctx, IDS_ASK_USE_BACKUP, MessageIcon::Exclamation)) return OfferNewPad(ctx, true);
  if (Read(ctx, s.backupFile) == RESULT_OK) return RestoreInPlace(ctx);
  if (!AskYes(ctx, IDS_ASK_CREATE_AFTER_BACKUP, MessageIcon::Question)) return Refuse(ctx);
  return CreateElsewhere(ctx);
}

// The default file could not be used; `r` is why.
bool RecoverDefaultFile(RecoveryContext& ctx, Result r, const std::string& defaultFile) {
  Settings& s = ctx.settings;
  if (!s.useBackups) {
    // Name the file that failed, which is not C when the notes live elsewhere.
    ReportReadError(ctx, r, defaultFile);
    return OfferNewPad(ctx, false);
  }
  if (!AskYes(ctx, IDS_ASK_USE_BACKUP, MessageIcon::Exclamation)) return OfferNewPad(ctx, false);
  if (Read(ctx, DefaultBackupFile(s)) == RESULT_OK) return RestoreToDefault(ctx);
  if (!AskYes(ctx, IDS_ASK_CREATE_AFTER_BACKUP, MessageIcon::Question)) return Refuse(ctx);
  return CreateAfresh(ctx);
}

// Without "Flags" (a first run, or a registry key lost or cleaned) the
// notes are still looked for: a new pad is made only where there is nothing.
bool OpenOrCreate(RecoveryContext& ctx) {
  Settings& s = ctx.settings;
  const std::string defaultFile = DefaultNotesFile(s);
  const Result r = Read(ctx, defaultFile);
  if (r == RESULT_OK) {
    UseDefaultPaths(s);
    ctx.backupPending = true;
    return true;
  }
  if (IsLocked(r)) return RefuseLocked(ctx);
  if (IsMissing(r) && s.curFile != defaultFile) return OpenMovedFile(ctx);
  if (IsMissing(r) && FirstRun(s) && !(s.useBackups && Exists(ctx, DefaultBackupFile(s))))
    return Create(ctx);
  return RecoverDefaultFile(ctx, r, defaultFile);
}

}  // namespace

void ReportFileError(IMessages& messages, Result code, uint32_t messageId,
                     const std::string& path) {
  std::string text = messages.LoadText(messageId);
  ReplacePlaceholder(text, "<FILENAME>", path);
  if (!IsProgramCode(code)) {
    ReplacePlaceholder(text, "<ERRCODE>", std::to_string(static_cast<int32_t>(code)));
    text += messages.SystemErrorText(code);
  }
  messages.Show(text, MessageButtons::Ok, MessageIcon::Exclamation);
}

bool OpenNotesFile(RecoveryContext& ctx) {
  Settings& s = ctx.settings;
  const uint32_t flagsBefore = s.flags;
  const bool opened = OpenOrCreate(ctx);
  // A crash before the save at exit must not make the next start take the
  // file for one never made.
  if (opened && s.flags != flagsBefore) ctx.saveSettings(SETTINGS_UPGRADE);
  return opened;
}

bool BackupNotesFile(RecoveryContext& ctx) {
  const Settings& s = ctx.settings;
  if (!s.useBackups) return true;
  if (const Result r = ctx.files.CopyOver(s.curFile, s.backupFile)) {
    ReportFileError(ctx.messages, r, IDS_ERROR_BACKUP, s.backupFile);
    return false;
  }
  return true;
}

Result SaveAllNotes(RecoveryContext& ctx, const std::function<Result()>& commitEditor) {
  if (commitEditor && commitEditor() == NOTE_NOT_STORED) return NOTE_NOT_STORED;
  const Result r = WriteNotesFile(ctx);
  if (r != RESULT_OK) ReportFileError(ctx.messages, r, IDS_ERROR_WRITE_NOTES_FILE, ctx.settings.curFile);
  return r;
}

void FinalSave(RecoveryContext& ctx) {
  if (const Result r = WriteNotesFile(ctx))
    ReportFileError(ctx.messages, r, IDS_ERROR_WRITE_NOTES_FILE, ctx.settings.curFile);
  ctx.saveSettings(SETTINGS_APPEARANCE);
}
