// The program's entry: one application object runs start-up, the message
// loop and shut-down.
#include <windows.h>

#include "app/win32/QuilleryApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  CQuilleryApp app(commandLine != nullptr ? commandLine : "");
  return app.RunApplication();
}
