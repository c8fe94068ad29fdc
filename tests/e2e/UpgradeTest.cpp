// The version check and the upgrade download against the driver's own HTTP
// server, named by the program's "Update Server" setting.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "Fixture.h"
#include "HttpServer.h"
#include "res/resource.h"
#include "shared/FakeMessages.h"

using namespace e2e;

namespace {

constexpr const char* CHECK_CAPTION = "Quillery - Check for Newer Version";
constexpr const char* DOWNLOAD_CAPTION = "Downloading Quillery Upgrade";
constexpr const char* VERSION_PATH = "/programs/Quillry.txt";

class UpgradeTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    // WinINet's pre-configured access follows these.
    for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
      SetEnvironmentVariableA(name, nullptr);
  }
};

std::string ControlText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

// Runs the check command and waits for its result; the dialog stays open.
HWND CheckForNewerVersion(const Session& s) {
  Command(s.main, ID_CHECK_VERSION);
  HWND box = WaitForBox(s.pid(), CHECK_CAPTION);
  EXPECT_NE(box, nullptr);
  if (box == nullptr) return nullptr;
  EXPECT_TRUE(WaitFor([&] { return ControlText(box, IDCANCEL) == "Close"; }, 60000)) << "no result";
  EXPECT_TRUE(WaitFor([&] { return ControlText(box, IDC_CHECK_TEXT).find("Please wait") == std::string::npos; }));
  return box;
}

void Close(HWND dialog, const char* button) {
  ASSERT_TRUE(PressButton(dialog, button)) << button;
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
}

std::string Offer(const std::string& url, size_t size) {
  return "Quillery\r\n1.00.000: 1,1.01.000\r\n1.01.000-FullURL: " + url +
         "\r\n1.01.000-FullDesc: Quillery 1.01 full installer\r\n1.01.000-FullSize: " + std::to_string(size) + "\r\n";
}

// Checks, presses Download, and waits for the download's final status.
HWND Download(const Session& s) {
  HWND check = CheckForNewerVersion(s);
  if (check == nullptr) return nullptr;
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(check, IDC_CHECK_DOWNLOAD)));
  Close(check, "Download");
  HWND dialog = WaitForBox(s.pid(), DOWNLOAD_CAPTION);
  EXPECT_NE(dialog, nullptr);
  if (dialog == nullptr) return nullptr;
  EXPECT_TRUE(WaitFor([&] { return !ControlText(dialog, IDC_DOWNLOAD_STATUS).empty(); }));
  return dialog;
}

void ExpectDownloadError(HWND dialog) {
  EXPECT_EQ(ControlText(dialog, IDC_DOWNLOAD_STATUS), "** DOWNLOAD ERROR **");
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDCANCEL)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
  Close(dialog, "Cancel");
}

DWORD Flags() {
  DWORD flags = 0;
  ReadDword("General", "Flags", &flags);
  return flags;
}

}  // namespace

TEST_F(UpgradeTest, TheCheckShowsEachAnswerOfTheServer) {
  HttpServer server;
  Session s({"kept"}, [&] { WriteString("General", "Update Server", server.Host()); });
  ASSERT_NE(s.main, nullptr);
  const std::string failed = StringTableText(IDS_CHECK_FAILED);
  struct Case {
    const char* what;
    HttpServer::Reply reply;
    std::string text;
    bool offered;
  };
  const Case cases[] = {
      {"no line for this version", {200, "Quillery\r\n1.00.001: 1,x\r\n", 0},
       StringTableText(IDS_CHECK_UP_TO_DATE), false},
      {"upgrade", {200, Offer("http://h/setup.exe", 10), 0},
       "The following version of Quillery is now available:\n\n1.01.000\n\nPress \"Download\" to download it now.\n\n",
       true},
      {"message", {200, "Quillery\n1.00.000: 2,,news\nnews-Msg:  Line one|Line two \n", 0}, "Line one\nLine two", false},
      {"other letter case", {200, "QUILLERY\n1.00.000: 1,a\n", 0}, failed + "Invalid version file.", false},
      {"not found", {404, "Quillery\n1.00.000: 1,a\n", 0}, failed + "Invalid version file.", false},
      {"20 MB", {200, "Quillery\n", 20u << 20}, failed + "Invalid version file.", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    server.Serve(VERSION_PATH, c.reply);
    const DWORD started = GetTickCount();
    HWND box = CheckForNewerVersion(s);
    ASSERT_NE(box, nullptr);
    EXPECT_LT(GetTickCount() - started, 15000u) << "read on past the bound";
    EXPECT_EQ(ControlText(box, IDC_CHECK_TEXT), c.text);
    EXPECT_EQ(IsWindowEnabled(GetDlgItem(box, IDC_CHECK_DOWNLOAD)) != FALSE, c.offered);
    Close(box, "Close");
  }
  server.Stop();
  HWND box = CheckForNewerVersion(s);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ControlText(box, IDC_CHECK_TEXT), failed + "Open of version checking URL failed.");
  Close(box, "Close");

  s.QuitAndRead();
  DWORD checked = 0;
  EXPECT_TRUE(ReadDword("General", "Last Version Check", &checked));
  EXPECT_GT(checked, 1700000000u);
}

// Refused and failed downloads leave nothing; a whole one is kept, offered,
// offered again after No, and its installer runs after Yes.
TEST_F(UpgradeTest, DownloadsOnlyWholeFilesIntoUpgradesAndOffersTheirInstallation) {
  HttpServer server;
  Session s({"kept"}, [&] { WriteString("General", "Update Server", server.Host()); });
  ASSERT_NE(s.main, nullptr);
  const std::string base = "http://" + server.Host();
  const std::string upgrades = s.folder.dir() + "Upgrades\\";

  server.Serve(VERSION_PATH, {200, Offer(base + "/dl/missing.bat", 10), 0});
  ExpectDownloadError(Download(s));
  EXPECT_FALSE(FileExists(upgrades + "missing.bat"));

  server.Serve("/evil.bat", {200, "echo evil> evil.txt\r\n", 0});
  server.Serve(VERSION_PATH, {200, Offer(base + "/dl/..\\evil.bat", 21), 0});
  ExpectDownloadError(Download(s));
  EXPECT_FALSE(FileExists(s.folder.dir() + "evil.bat"));
  for (const std::string& path : server.Requests()) EXPECT_EQ(path.find("evil"), std::string::npos) << path;

  server.Serve("/dl/short.bat", {200, "echo short", 0});
  server.Serve(VERSION_PATH, {200, Offer(base + "/dl/short.bat", 1000), 0});
  ExpectDownloadError(Download(s));
  EXPECT_FALSE(FileExists(upgrades + "short.bat"));
  EXPECT_EQ(Flags() & 0x10, 0u) << "nothing pending after failures";

  // Leaves its mark in the folder it is started in: the program's.
  std::string installer = "@echo off\r\necho installed> installed.txt\r\nrem ";
  installer += std::string(3000 - installer.size() - 2, 'p') + "\r\n";
  server.Serve("/dl/setup.bat", {200, installer, 0});
  server.Serve(VERSION_PATH, {200, Offer(base + "/dl/setup.bat", installer.size()), 0});
  HWND dialog = Download(s);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ControlText(dialog, IDC_DOWNLOAD_STATUS), "** COMPLETE **");
  EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_DOWNLOAD_PROGRESS), PBM_GETPOS, 0, 0), 100);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDCANCEL)));
  Close(dialog, "Close");
  const std::string ask = StringTableText(IDS_ASK_INSTALL_UPGRADE);
  ExpectMessageBox(s.pid(), ask, "No");

  const Bytes kept = ReadFileBytes(upgrades + "setup.bat");
  EXPECT_EQ(std::string(kept.begin(), kept.end()), installer);
  std::string file, version;
  EXPECT_TRUE(ReadString("General", "Last Upgrade File", &file));
  EXPECT_EQ(file, upgrades + "setup.bat");
  EXPECT_TRUE(ReadString("General", "Last Upgrade Version", &version));
  EXPECT_EQ(version, "1.01.000");
  EXPECT_EQ(Flags() & 0x10, 0x10u);

  // Pending: the command asks again without a check.
  const size_t requests = server.Requests().size();
  Command(s.main, ID_CHECK_VERSION);
  ExpectMessageBox(s.pid(), ask, "Yes");
  EXPECT_TRUE(s.program->WaitForExit());
  EXPECT_EQ(server.Requests().size(), requests);
  EXPECT_TRUE(WaitFor([&] { return FileExists(s.folder.dir() + "installed.txt"); }));
  EXPECT_EQ(NoteTexts(ReadFileBytes(s.folder.notesFile())), std::vector<std::string>{"kept"});
}

// At start-up a pending upgrade newer than the program is offered before the
// window shows: No starts normally; an installer that cannot be started is
// reported and the program runs on.
TEST_F(UpgradeTest, AtStartUpAPendingUpgradeIsOfferedAndAMissingInstallerKeepsTheProgramRunning) {
  ProgramFolder folder;
  SeedCreatedPad(folder);
  WriteFileBytes(folder.notesFile(), NotesFileImage({"kept"}));
  WriteDword("General", "Flags", 0x11);
  WriteString("General", "Last Upgrade Version", "1.10.000");
  const std::string missing = folder.dir() + "Upgrades\\gone.exe";
  WriteString("General", "Last Upgrade File", missing);
  const std::string ask = StringTableText(IDS_ASK_INSTALL_UPGRADE);
  {
    Program program(folder);
    ExpectMessageBox(program.pid(), ask, "No");
    HWND main = WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    Command(main, ID_APP_QUIT);
    EXPECT_TRUE(program.WaitForExit());
  }
  Program program(folder);
  ExpectMessageBox(program.pid(), ask, "Yes");
  MessageBoxInfo box = WaitForMessageBox(program.pid());
  ASSERT_NE(box.window, nullptr);
  EXPECT_NE(box.text.find(missing), std::string::npos) << box.text;
  ASSERT_TRUE(PressButton(box.window, "OK"));
  HWND main = WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(program.Running());
  EXPECT_EQ(Flags() & 0x10, 0u) << "a file that cannot run is not offered again";
  Command(main, ID_APP_QUIT);
  EXPECT_TRUE(program.WaitForExit());
}
