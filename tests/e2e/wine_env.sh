# Shared by the Wine scenarios: a private Wine prefix copied from the prepared template,
# a private Xvfb display, and a teardown that ends exactly what was started.
# Usage: source wine_env.sh; wine_session_start TEMPLATE_DIR; ...; (teardown runs on exit)
# With WINE_SESSION_DISPLAY set (":0"), that display is used and no Xvfb is started.

set -u

wine_session_start() {
  local template=$1
  [ -f "$template/.ready" ] || { echo "wine template missing: $template" >&2; return 1; }
  SESSION=$(mktemp -d "${TMPDIR:-/tmp}/quellix-wine.XXXXXX")
  mkdir -p "$SESSION/tmp"
  cp -a "$template/prefix" "$SESSION/prefix"
  export WINEPREFIX=$SESSION/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
         TMPDIR=$SESSION/tmp
  trap wine_session_end EXIT
  if [ -n "${WINE_SESSION_DISPLAY:-}" ]; then
    export DISPLAY=$WINE_SESSION_DISPLAY
    wineserver -p 2>/dev/null
    return 0
  fi
  # Xvfb picks a free display number itself and tells it through a file descriptor.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$SESSION/display" >"$SESSION/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local display=""
  for _ in $(seq 200); do
    display=$(tr -dc 0-9 <"$SESSION/display")
    [ -n "$display" ] && break
    sleep 0.05
  done
  [ -n "$display" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$display"
  wineserver -p 2>/dev/null
}

wine_session_end() {
  local rc=$?
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
  fi
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  [ -n "${SESSION:-}" ] && [ -z "${QUELLIX_KEEP_SESSION:-}" ] && rm -rf "$SESSION"
  return $rc
}

# Saves a screenshot of the whole display.
wine_screenshot() {
  xwd -root -silent -display "$DISPLAY" | convert xwd:- "$1"
}
