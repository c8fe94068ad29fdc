# Sourced: starts a virtual X display and a fresh Wine prefix for this run,
# and stops both when the calling script exits.
start_virtual_display() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

# The printer the printing tests print to: CUPS with its "PDF" queue (files
# in $HOME/PDF). Wine drops printers it cannot reach when its prefix starts,
# so the scheduler runs first.
start_printing() {
  [ -x /usr/sbin/cupsd ] || return 0
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    /usr/sbin/cupsd
    for _ in $(seq 100); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
  fi
  if ! lpstat -p PDF >/dev/null 2>&1; then
    lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd && lpadmin -d PDF
  fi
}

start_wine_prefix() {
  start_printing
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  if [ ! -e "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
    # With no window manager on the virtual display, Wine waits two seconds
    # for one to acknowledge each window that is hidden or destroyed.
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    add_font_replacements
    # Programs already running (explorer's tray) read it at their start:
    # stop them; the wineboot below starts them again.
    /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    for _ in $(seq 100); do pgrep -f 'C:.windows.system32' >/dev/null || break; sleep 0.1; done
  fi
  # A prefix made before the fonts were replaced gets them now.
  grep -q 'Fonts\\\\Replacements' "$WINEPREFIX/user.reg" 2>/dev/null || add_font_replacements
  /usr/lib/wine/wineserver -p >/dev/null 2>&1 || true
  # The prefix's services start here, not in the first test, whose output
  # pipe they would hold open until the server stops.
  /usr/lib/wine/wine64 wineboot >/dev/null 2>&1
}

# The faces the program asks for are not in a fresh prefix, and Wine would
# draw its blocky system font instead: Liberation has the same metrics.
add_font_replacements() {
  local face
  for face in "Times New Roman=Liberation Serif" "Arial=Liberation Sans" "Courier New=Liberation Mono"; do
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%=*}" \
      /t REG_SZ /d "${face#*=}" /f >/dev/null 2>&1
  done
  # Caption buttons and check marks are Marlett glyphs; this Wine does not
  # find its own copy, and draws letters ("0 1 r") in their place.
  local marlett=/usr/share/wine/fonts/marlett.ttf
  [ -f "$marlett" ] && cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
  return 0
}

stop_display_and_wine() {
  [ -n "${WINEPREFIX:-}" ] && /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}
