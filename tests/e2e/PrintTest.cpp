// Printing to the CUPS "PDF" printer: the documents it writes are read back
// as text, one form feed per page.
#include <windows.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <set>

#include "Fixture.h"
#include "res/resource.h"

using namespace e2e;

namespace {

// Where the PDF printer leaves its documents, seen from Wine.
std::string PdfFolder() {
  char home[MAX_PATH] = "/root";
  GetEnvironmentVariableA("HOME", home, sizeof home);
  return std::string("Z:") + home + "\\PDF\\";
}

std::set<std::string> PdfFiles() {
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((PdfFolder() + "*.pdf").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.insert(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// The text of a PDF by the Linux side's pdftotext, pages ended by form feeds.
std::string PdfText(const std::string& name) {
  char home[MAX_PATH] = "/root";
  GetEnvironmentVariableA("HOME", home, sizeof home);
  const std::string unixPdf = std::string(home) + "/PDF/" + name;
  const std::string unixText = unixPdf + ".txt";
  std::string command = "/usr/bin/pdftotext -layout \"" + unixPdf + "\" \"" + unixText + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return std::string();
  WaitForSingleObject(process.hProcess, DEFAULT_TIMEOUT_MS);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // A Unix process's handle may signal before it ends: the text is whole
  // once it ends with its last page's form feed.
  const std::string windowsText = PdfFolder() + name + ".txt";
  Bytes bytes;
  WaitFor([&] {
    bytes = FileExists(windowsText) ? ReadFileBytes(windowsText) : Bytes();
    return !bytes.empty() && bytes.back() == '\f';
  });
  return std::string(bytes.begin(), bytes.end());
}

int Pages(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\f')); }

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Answers the print dialog of `pid` with its default printer.
void AcceptPrintDialog(DWORD pid) {
  MessageBoxInfo dialog = WaitForMessageBox(pid);
  ASSERT_NE(dialog.window, nullptr) << "no print dialog";
  ASSERT_TRUE(PressButton(dialog.window, "OK") || PressButton(dialog.window, "Print"))
      << WindowText(dialog.window);
  WaitFor([&] { return !IsWindow(dialog.window); });
}

// Sends `command`, accepts `jobs` print dialogs and returns the texts of
// the documents the printer wrote, once it has written them whole.
std::vector<std::string> PrintAndReadAll(Session& session, const std::function<void()>& start, int jobs) {
  const std::set<std::string> before = PdfFiles();
  start();
  for (int i = 0; i < jobs; ++i) AcceptPrintDialog(session.pid());
  std::vector<std::string> added;
  EXPECT_TRUE(WaitFor([&] {
    added.clear();
    for (const std::string& name : PdfFiles())
      if (before.count(name) == 0) added.push_back(name);
    return static_cast<int>(added.size()) == jobs;
  })) << "the printer wrote " << added.size() << " of " << jobs << " documents";
  std::vector<std::string> texts;
  for (const std::string& name : added) {
    // The printer writes the file in pieces.
    EXPECT_TRUE(WaitFor([&] {
      const Bytes pdf = ReadFileBytes(PdfFolder() + name);
      const std::string tail(pdf.end() - std::min<size_t>(pdf.size(), 16), pdf.end());
      return tail.find("%%EOF") != std::string::npos;
    }));
    texts.push_back(PdfText(name));
  }
  return texts;
}

std::string PrintAndRead(Session& session, UINT command) {
  const std::vector<std::string> texts = PrintAndReadAll(session, [&] { Command(session.main, command); }, 1);
  return texts.empty() ? std::string() : texts[0];
}

// The note and list fonts in an installed face: with a face it lacks, the
// printer driver falls back to a big font of its own.
void UseInstalledFonts() {
  LOGFONTA font{};
  font.lfHeight = -13;
  font.lfWeight = FW_NORMAL;
  lstrcpynA(font.lfFaceName, "Liberation Mono", LF_FACESIZE);
  HKEY key = nullptr;
  const std::string path = std::string(PROGRAM_KEY) + "\\Appearance";
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != 0) return;
  for (const char* name : {"Note Font", "List Font"})
    RegSetValueExA(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&font), sizeof font);
  RegCloseKey(key);
}

HWND FindPreview(HWND main) { return FindWindowExA(main, nullptr, "PrintPreviewWnd", nullptr); }

std::string PreviewPageText(HWND preview) { return WindowText(GetDlgItem(preview, AFX_ID_PREVIEW_PAGE_TEXT)); }

Bytes WithReminder(Bytes file, uint32_t note, int32_t time) {
  image::SetU32(file, 16, 1);
  image::SetU32(file, image::HEADER_SIZE + image::RECORD_SIZE * (note - 1) + 12, 0x2);
  image::SetU32(file, image::HEADER_SIZE + image::RECORD_SIZE * (note - 1) + 16, static_cast<uint32_t>(time));
  return file;
}

}  // namespace

TEST_F(E2eTest, PrintingANoteGivesPagesWithTheTitleLineAndTheFooter) {
  std::string longNote;
  for (int i = 1; i <= 150; ++i) longNote += "Line " + std::to_string(i) + "\r\n";
  Session session({"Shopping list for Friday", longNote, "Call the dentist"}, UseInstalledFonts);
  ASSERT_NE(session.editor, nullptr);

  const std::string one = PrintAndRead(session, ID_FILE_PRINT);
  EXPECT_EQ(Pages(one), 1) << one;
  EXPECT_NE(one.find("Note 1 of 3"), std::string::npos) << one;
  EXPECT_NE(one.find("Shopping list for Friday"), std::string::npos) << one;
  EXPECT_NE(one.find("Printed by Quillery"), std::string::npos) << one;

  Command(session.main, ID_NOTE_NEXT);
  ASSERT_TRUE(WaitForCaption(session.main, NoteCaption(2, 3)));
  const std::string many = PrintAndRead(session, ID_FILE_PRINT);
  EXPECT_GE(Pages(many), 3) << many;
  EXPECT_EQ(Count(many, "Printed by Quillery"), Pages(many));
  // No blank page after the one where the text ends.
  const size_t lastPage = many.rfind('\f', many.size() - 2);
  EXPECT_NE(many.find("Line 150\n", lastPage == std::string::npos ? 0 : lastPage), std::string::npos);
  // Every line once, none lost at a page break.
  for (int i = 1; i <= 150; ++i) EXPECT_EQ(Count(many, "Line " + std::to_string(i) + "\n"), 1) << i;
  session.QuitAndRead();
}

TEST_F(E2eTest, PrintingANoteWithAnActiveReminderShowsItsTimeInTheHeading) {
  const int32_t tomorrow = static_cast<int32_t>(std::time(nullptr)) + 86400;
  Session session({"Water the plants"}, UseInstalledFonts);
  Command(session.main, ID_APP_QUIT);
  ASSERT_TRUE(session.program->WaitForExit());
  WriteFileBytes(session.folder.notesFile(),
                 WithReminder(ReadFileBytes(session.folder.notesFile()), 1, tomorrow));
  session.program = std::make_unique<Program>(session.folder);
  session.main = WaitForMainWindow();
  ASSERT_NE(session.main, nullptr);
  const std::string text = PrintAndRead(session, ID_FILE_PRINT);
  EXPECT_NE(text.find("Remind:"), std::string::npos) << text;
  session.QuitAndRead();
}

TEST_F(E2eTest, PrintingTheListGivesNumberedPagesWithHeadingsAndEveryNoteOnce) {
  std::vector<std::string> notes;
  for (int i = 1; i <= 90; ++i) notes.push_back("Item" + std::to_string(i) + "x");
  Session session(notes, [] {
    UseInstalledFonts();
    WriteDword("Appearance", "Note Mode", 0);
  });
  ASSERT_TRUE(WaitForCaption(session.main, ListCaption(90)));
  const std::string text = PrintAndRead(session, ID_FILE_PRINT);
  ASSERT_GE(Pages(text), 2) << text;
  EXPECT_EQ(Count(text, "Note Summary List"), Pages(text));
  EXPECT_EQ(Count(text, "Modified"), Pages(text)) << "headings on every page";
  EXPECT_NE(text.find("Page 2"), std::string::npos);
  EXPECT_NE(text.find("#"), std::string::npos);
  EXPECT_EQ(text.find("..."), std::string::npos) << "numbers and dates whole";
  for (int i = 1; i <= 90; ++i) EXPECT_EQ(Count(text, "Item" + std::to_string(i) + "x"), 1) << i;
  session.QuitAndRead();
}

TEST_F(E2eTest, PrintNotesPrintsEachSelectedNoteAsADocumentOfItsOwnAndReturnsToTheList) {
  Session session({"First note", "Second note"}, [] {
    UseInstalledFonts();
    WriteDword("Appearance", "Note Mode", 0);
  });
  ASSERT_TRUE(WaitForCaption(session.main, ListCaption(2)));
  Command(session.main, ID_EDIT_SELECT_ALL);
  const std::vector<std::string> texts = PrintAndReadAll(session, [&] { Command(session.main, ID_PRINT_NOTES); }, 2);
  ASSERT_EQ(texts.size(), 2u);
  const std::string both = texts[0] + texts[1];
  EXPECT_EQ(Pages(both), 2);
  EXPECT_EQ(Count(both, "First note"), 1);
  EXPECT_EQ(Count(both, "Second note"), 1);
  EXPECT_EQ(Count(both, "Note 2 of 2"), 1) << "each note with its own heading";
  EXPECT_TRUE(WaitForCaption(session.main, ListCaption(2)));
  session.QuitAndRead();
}

TEST_F(E2eTest, ThePreviewPagesForwardAndBackPrintsFromItsBarAndClosingTheWindowClosesOnlyThePreview) {
  std::string longNote;
  for (int i = 1; i <= 150; ++i) longNote += "Line " + std::to_string(i) + "\r\n";
  Session session({longNote}, UseInstalledFonts);
  ASSERT_NE(session.editor, nullptr);
  Command(session.main, ID_FILE_PRINT_PREVIEW);
  HWND preview = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (preview = FindPreview(session.main)) != nullptr && IsWindowVisible(preview); }));
  EXPECT_FALSE(IsWindowVisible(session.editor));
  EXPECT_TRUE(WaitFor([&] { return PreviewPageText(preview) == "Page 1"; }));
  PostMessageA(preview, WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_TRUE(WaitFor([&] { return PreviewPageText(preview) == "Page 2"; })) << PreviewPageText(preview);
  ASSERT_TRUE(PressButton(preview, "Next Page"));
  EXPECT_TRUE(WaitFor([&] { return PreviewPageText(preview) == "Page 3"; })) << PreviewPageText(preview);
  PostMessageA(preview, WM_KEYDOWN, VK_PRIOR, 0);
  EXPECT_TRUE(WaitFor([&] { return PreviewPageText(preview) == "Page 2"; })) << PreviewPageText(preview);

  // Closing the main window ends only the preview: no tray, no exit.
  PostMessageA(session.main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(preview) && IsWindowVisible(session.editor); }));
  EXPECT_TRUE(session.program->Running());
  EXPECT_TRUE(IsWindowVisible(session.main));

  const std::vector<std::string> texts = PrintAndReadAll(session, [&] {
    Command(session.main, ID_FILE_PRINT_PREVIEW);
    ASSERT_TRUE(WaitFor([&] { return (preview = FindPreview(session.main)) != nullptr && IsWindowVisible(preview); }));
    ASSERT_TRUE(PressButton(preview, "Print..."));
  }, 1);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(Count(texts[0], "Line 150\n"), 1);
  EXPECT_FALSE(IsWindow(preview));
  session.QuitAndRead();
}

TEST_F(E2eTest, TheListPreviewShowsItsPagesAndEscapeGivesTheListBack) {
  std::vector<std::string> notes;
  for (int i = 1; i <= 90; ++i) notes.push_back("Item" + std::to_string(i) + "x");
  Session session(notes, [] {
    UseInstalledFonts();
    WriteDword("Appearance", "Note Mode", 0);
  });
  ASSERT_TRUE(WaitForCaption(session.main, ListCaption(90)));
  Command(session.main, ID_FILE_PRINT_PREVIEW);
  HWND preview = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (preview = FindPreview(session.main)) != nullptr && IsWindowVisible(preview); }));
  EXPECT_TRUE(WaitFor([&] { return PreviewPageText(preview) == "Page 1"; }));
  PostMessageA(preview, WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_TRUE(WaitFor([&] { return PreviewPageText(preview) == "Page 2"; })) << PreviewPageText(preview);
  PostMessageA(preview, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(preview); }));
  HWND list = FindWindowExA(session.main, nullptr, "SysListView32", nullptr);
  EXPECT_TRUE(list != nullptr && IsWindowVisible(list));
  session.QuitAndRead();
}

TEST_F(E2eTest, PrintSetupChoosesTheOrientationOfLaterPrintouts) {
  Session session({"Sideways"}, [] { UseInstalledFonts(); });
  Command(session.main, ID_FILE_PRINT_SETUP);
  MessageBoxInfo setup = WaitForMessageBox(session.pid());
  ASSERT_NE(setup.window, nullptr) << "no Print Setup dialog";
  constexpr int LANDSCAPE = 0x421;  // the common dialog's orientation button
  SendMessageA(GetDlgItem(setup.window, LANDSCAPE), BM_CLICK, 0, 0);
  ASSERT_TRUE(PressButton(setup.window, "OK"));
  WaitFor([&] { return !IsWindow(setup.window); });
  const std::set<std::string> before = PdfFiles();
  const std::string text = PrintAndRead(session, ID_FILE_PRINT);
  EXPECT_NE(text.find("Sideways"), std::string::npos);
  std::string pdf;
  for (const std::string& name : PdfFiles()) {
    if (before.count(name) != 0) continue;
    const Bytes bytes = ReadFileBytes(PdfFolder() + name);
    pdf.assign(bytes.begin(), bytes.end());
  }
  EXPECT_NE(pdf.find("/Rotate 90"), std::string::npos) << "landscape";
  session.QuitAndRead();
}
