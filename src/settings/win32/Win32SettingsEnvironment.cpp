#include "settings/win32/Win32SettingsEnvironment.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <vector>

static_assert(sizeof(LOGFONTA) == sizeof(LogFont), "LogFont mirrors LOGFONTA");

namespace {

constexpr DWORD USER_NAME_CAPACITY = 257;
constexpr BYTE FONT_CHARSET = DEFAULT_CHARSET;        // 1
constexpr BYTE FONT_OUT_PRECISION = OUT_STROKE_PRECIS;  // 3
constexpr BYTE FONT_QUALITY = DRAFT_QUALITY;           // 1
constexpr BYTE FONT_NO_FACE_PITCH = 6;
constexpr LONG LIST_FONT_POINTS = 8;

// A memory DC, released with DeleteDC.
class CMemoryDC {
 public:
  CMemoryDC() : dc(CreateCompatibleDC(nullptr)) {}
  ~CMemoryDC() {
    if (dc != nullptr) DeleteDC(dc);
  }
  CMemoryDC(const CMemoryDC&) = delete;
  CMemoryDC& operator=(const CMemoryDC&) = delete;
  HDC Get() const { return dc; }

 private:
  HDC dc;
};

struct FaceSearch {
  const char* face;
  bool found;
};

int CALLBACK MatchFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM param) {
  auto* search = reinterpret_cast<FaceSearch*>(param);
  if (std::strcmp(font->lfFaceName, search->face) == 0) {
    search->found = true;
    return 0;
  }
  return 1;
}

// Whether the system enumerates a family of exactly this name.
bool FaceExists(HDC dc, const std::string& face) {
  LOGFONTA query{};
  if (face.size() >= sizeof query.lfFaceName) return false;
  std::memcpy(query.lfFaceName, face.c_str(), face.size() + 1);
  query.lfCharSet = DEFAULT_CHARSET;
  FaceSearch search{face.c_str(), false};
  EnumFontFamiliesExA(dc, &query, MatchFace, reinterpret_cast<LPARAM>(&search), 0);
  return search.found;
}

void ApplyFirstFace(HDC dc, const std::string& faces, LOGFONTA& font) {
  for (const std::string& face : SplitFaceList(faces)) {
    if (!FaceExists(dc, face)) continue;
    std::memcpy(font.lfFaceName, face.c_str(), face.size() + 1);
    font.lfHeight = -std::abs(font.lfHeight);
    font.lfWidth = 0;
    return;
  }
  font.lfPitchAndFamily = FONT_NO_FACE_PITCH;
}

}  // namespace

std::string CurrentUserName() {
  char name[USER_NAME_CAPACITY] = {};
  DWORD size = USER_NAME_CAPACITY;
  if (!GetUserNameA(name, &size) || name[0] == '\0') return "Default";
  return name;
}

std::string ProgramPath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

void DefaultFonts(const std::string& noteFaces, const std::string& listFaces, LogFont& noteFont,
                  LogFont& listFont) {
  LOGFONTA system{};
  GetObjectA(GetStockObject(SYSTEM_FONT), sizeof system, &system);
  system.lfCharSet = FONT_CHARSET;
  system.lfOutPrecision = FONT_OUT_PRECISION;
  system.lfQuality = FONT_QUALITY;
  system.lfPitchAndFamily = 0;

  CMemoryDC dc;
  LOGFONTA note = system;
  LOGFONTA list = system;
  list.lfHeight = (LIST_FONT_POINTS * GetDeviceCaps(dc.Get(), LOGPIXELSY) + 71) / 72;
  ApplyFirstFace(dc.Get(), noteFaces, note);
  ApplyFirstFace(dc.Get(), listFaces, list);
  list.lfWeight = FW_NORMAL;

  std::memcpy(&noteFont, &note, sizeof noteFont);
  std::memcpy(&listFont, &list, sizeof listFont);
}

SettingsDefaults CurrentSettingsDefaults(const std::string& noteFaces,
                                         const std::string& listFaces) {
  SettingsDefaults defaults;
  defaults.appDir = FolderOfPath(ProgramPath());
  defaults.userName = CurrentUserName();
  DefaultFonts(noteFaces, listFaces, defaults.noteFont, defaults.listFont);
  return defaults;
}
