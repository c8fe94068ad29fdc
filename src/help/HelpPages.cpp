#include "help/HelpPages.h"

#include <cstdio>

#include "res/resource.h"

namespace {

struct CommandPage {
  uint32_t command;
  const char* file;
  const char* anchor;
};

// Every command a menu, the toolbar or a key can carry, and the views.
const CommandPage COMMAND_PAGES[] = {
    {ID_VIEW_NOTE, "note-view.html", ""},
    {ID_VIEW_LIST, "list-view.html", ""},
    {ID_HELP_FAQ, "faq.html", ""},
    {ID_NOTE_NEW, "file-menu.html", "new-note"},
    {ID_NOTE_DELETE, "file-menu.html", "delete-note"},
    {ID_SAVE_NOTES, "file-menu.html", "save-notes"},
    {ID_IMPORT_DESKNOTES, "file-menu.html", "import"},
    {ID_FILE_PRINT_SETUP, "file-menu.html", "print-setup"},
    {ID_FILE_PRINT_PREVIEW, "file-menu.html", "print-preview"},
    {ID_FILE_PRINT, "file-menu.html", "print"},
    {ID_PRINT_NOTES, "file-menu.html", "print-notes"},
    {ID_NOTE_PROPERTIES, "file-menu.html", "properties"},
    {ID_APP_EXIT, "file-menu.html", "close-to-tray"},
    {ID_APP_QUIT, "file-menu.html", "quit"},
    {ID_EDIT_UNDO, "edit-menu.html", "undo"},
    {ID_EDIT_CUT, "edit-menu.html", "cut"},
    {ID_EDIT_COPY, "edit-menu.html", "copy"},
    {ID_EDIT_PASTE, "edit-menu.html", "paste"},
    {ID_INSERT_DATE, "edit-menu.html", "insert"},
    {ID_INSERT_TIME, "edit-menu.html", "insert"},
    {ID_INSERT_DATE_TIME, "edit-menu.html", "insert"},
    {ID_INSERT_WEEKDAY, "edit-menu.html", "insert"},
    {ID_EDIT_SELECT_ALL, "edit-menu.html", "select-all"},
    {ID_FIND, "edit-menu.html", "find"},
    {ID_FIND_NEXT, "edit-menu.html", "find-next"},
    {ID_VIEW_TOOLBAR, "view-menu.html", "toolbar"},
    {ID_VIEW_STATUS_BAR, "view-menu.html", "status-bar"},
    {ID_PREFERENCES, "view-menu.html", "preferences"},
    {ID_NOTE_NEXT, "actions-menu.html", "next-note"},
    {ID_NOTE_PREVIOUS, "actions-menu.html", "previous-note"},
    {ID_NOTE_FIRST, "actions-menu.html", "first-note"},
    {ID_NOTE_LAST, "actions-menu.html", "last-note"},
    {ID_NOTE_GOTO, "actions-menu.html", "go-to-note"},
    {ID_NOTE_MOVE, "actions-menu.html", "move-note"},
    {ID_OPEN_URL, "actions-menu.html", "open-url"},
    {ID_REMINDERS, "actions-menu.html", "reminders"},
    {ID_HELP_FINDER, "help-menu.html", "help-topics"},
    {ID_HELP, "help-menu.html", "help-topics"},
    {ID_CONTEXT_HELP, "help-menu.html", "whats-this"},
    {ID_VENDOR_WEB_SITE, "help-menu.html", "web-site"},
    {ID_CHECK_VERSION, "help-menu.html", "check-version"},
    {ID_APP_ABOUT, "help-menu.html", "about"},
    {ID_TRAY_OPEN, "tray.html", "open"},
    {ID_TRAY_NEW_NOTE, "tray.html", "new-note"},
};

struct DialogPage {
  uint32_t templateId;
  const char* file;
};

const DialogPage DIALOG_PAGES[] = {
    {IDD_ABOUTBOX, "about.html"},
    {IDD_NOTE_PROPERTIES, "note-properties.html"},
    {IDD_GOTO_NOTE, "go-to-note.html"},
    {IDD_FIND, "find.html"},
    {IDD_CHECK_VERSION, "check-version.html"},
    {IDD_DOWNLOAD, "download.html"},
    {IDD_SET_REMINDER, "set-reminder.html"},
    {IDD_REMINDER_POPUP, "reminder.html"},
    {IDD_MOVE_NOTE, "move-note.html"},
    {IDD_PREFS_GENERAL, "preferences-general.html"},
    {IDD_PREFS_STARTUP, "preferences-startup.html"},
    {IDD_PREFS_APPEARANCE, "preferences-appearance.html"},
    {IDD_PREFS_PROXY, "preferences-proxy.html"},
    {IDD_PREFS_REMINDERS, "preferences-reminders.html"},
    {IDD_WIZ_WELCOME, "wizard-welcome.html"},
    {IDD_WIZ_START, "wizard-start.html"},
    {IDD_WIZ_TRAY, "wizard-tray.html"},
    {IDD_WIZ_ON_TOP, "wizard-on-top.html"},
    {IDD_WIZ_REMIND, "wizard-remind.html"},
    {IDD_WIZ_SNOOZE, "wizard-snooze.html"},
};

const char* DialogFile(uint32_t templateId) {
  for (const DialogPage& page : DIALOG_PAGES)
    if (page.templateId == templateId) return page.file;
  return nullptr;
}

// The template a control's help id belongs to. The Startup page's ids carry
// 0x85 instead of its template id, and the reminder pop-up's buttons ids of
// their own; the setup wizard's pages reuse the Preferences pages' ids, so
// they lead to the page that explains the same setting.
uint32_t ControlHelpTemplate(uint32_t helpId) {
  const uint32_t high = (helpId >> 16) & 0x7FFF;
  if (high == 0x85) return IDD_PREFS_STARTUP;
  if (helpId == 0x809B4DBC || helpId == 0x809B4DBD) return IDD_REMINDER_POPUP;
  return high;
}

}  // namespace

std::optional<HelpPage> FindHelpPage(uint32_t context) {
  if (context & 0x80000000u) {
    const char* file = DialogFile(ControlHelpTemplate(context));
    if (file == nullptr) return std::nullopt;
    // The pop-up's two buttons keep the control ids of their help ids.
    const uint32_t control =
        context == 0x809B4DBC ? IDC_POPUP_SNOOZE : context == 0x809B4DBD ? IDC_POPUP_DISMISS : context & 0xFFFF;
    return HelpPage{file, "ctl-" + std::to_string(control)};
  }
  if (context >= HELP_DIALOG_BASE && context < HELP_DIALOG_BASE + 0x10000) {
    const char* file = DialogFile(context - HELP_DIALOG_BASE);
    if (file == nullptr) return std::nullopt;
    return HelpPage{file, ""};
  }
  if (context >= HELP_COMMAND_BASE && context < HELP_DIALOG_BASE) {
    for (const CommandPage& page : COMMAND_PAGES)
      if (HELP_COMMAND_BASE + page.command == context) return HelpPage{page.file, page.anchor};
  }
  return std::nullopt;
}

HelpPage HelpPageFor(uint32_t context) {
  return FindHelpPage(context).value_or(HelpPage{HELP_CONTENTS_PAGE, ""});
}

std::string HelpPageUrl(const std::string& folder, const HelpPage& page) {
  std::string url = "file:///";
  for (const char c : folder + page.file) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      url += '/';
    } else if (byte <= ' ' || byte == 0x7F || c == '%' || c == '#' || c == '?' || c == '"') {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      url += escaped;
    } else {
      url += c;
    }
  }
  if (!page.anchor.empty()) url += "#" + page.anchor;
  return url;
}
