#!/bin/sh
# Runs a Windows program under 64-bit Wine with the test prefix and display
# that scripts/test.sh prepared (CTest's emulator for the mingw build).
export WINEPREFIX="${WINEPREFIX:-$HOME/.quillery/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
case " $* " in
  *" --gtest_list_tests "*)
    # CTest reads the list of cases line by line: no carriage returns.
    list=$(/usr/lib/wine/wine64 "$@") || exit $?
    printf '%s\n' "$list" | tr -d '\r'
    exit 0 ;;
esac
exec /usr/lib/wine/wine64 "$@"
