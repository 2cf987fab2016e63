# Sourced by the project's scripts: a private Wine prefix and, when asked,
# a virtual X display of our own, both stopped again by wine_session_stop.
#
#   wine_session_start [--virtual-display] [WIDTHxHEIGHT]
#   wine_session_stop
#
# Exports WINEPREFIX, WINELOADER, WINEDLLOVERRIDES, WINEDEBUG and DISPLAY.

wine_session_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_session_xvfb_pid=

wine_session_start() {
  local virtual=0 size=1920x1080
  while [ $# -gt 0 ]; do
    case "$1" in
      --virtual-display) virtual=1 ;;
      *x*) size=$1 ;;
    esac
    shift
  done

  export WINEPREFIX=${TARVELLO_WINEPREFIX:-$wine_session_root/build/wineprefix}
  export WINELOADER=/usr/lib/wine/wine64
  # Wine's .NET and HTML add-ons cannot be downloaded here and are not needed.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEDEBUG=${WINEDEBUG:--all}
  # A language without Cyrillic, so that texts must come through the Unicode APIs.
  export LANG=${TARVELLO_LANG:-en_US.UTF-8}
  unset LC_ALL

  if [ "$virtual" = 1 ]; then
    local display=90
    while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
    Xvfb ":$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    wine_session_xvfb_pid=$!
    export DISPLAY=":$display"
    local tries=0
    until xdpyinfo >/dev/null 2>&1; do
      tries=$((tries + 1))
      if [ $tries -gt 100 ] || ! kill -0 "$wine_session_xvfb_pid" 2>/dev/null; then
        echo "the virtual display did not start" >&2
        return 1
      fi
      sleep 0.1
    done
  fi

  local prefix_version=2
  if [ "$(cat "$WINEPREFIX/.tarvello-ready" 2>/dev/null)" != "$prefix_version" ]; then
    echo "making the Wine prefix $WINEPREFIX" >&2
    /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINELOADER" wineboot -i </dev/null >/dev/null 2>&1
    wine_session_install_fonts
    /usr/lib/wine/wineserver -w
    echo "$prefix_version" >"$WINEPREFIX/.tarvello-ready"
  fi
  # Keep one server for the whole session: later starts are much faster. Its
  # services start here too, with no output attached, so that they never hold
  # open the pipes of a program run later (ctest would wait on them).
  /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
  "$WINELOADER" wineboot </dev/null >/dev/null 2>&1
}

# Wine's own raster and TrueType fonts, with the Cyrillic raster faces that a
# Windows system with Cyrillic support has, so "Courier" and "MS Sans Serif"
# in the Cyrillic character set are the real faces, not a stand-in.
wine_session_install_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/* "$fonts/"
  "$WINELOADER" reg add "$key" /v "Courier (Cyrillic)" /t REG_SZ /d courer.fon /f </dev/null >/dev/null 2>&1
  "$WINELOADER" reg add "$key" /v "MS Sans Serif (Cyrillic)" /t REG_SZ /d sserifer.fon /f </dev/null >/dev/null 2>&1
}

wine_session_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "$wine_session_xvfb_pid" ]; then
    kill "$wine_session_xvfb_pid" 2>/dev/null || true
    wait "$wine_session_xvfb_pid" 2>/dev/null || true
    wine_session_xvfb_pid=
  fi
}
