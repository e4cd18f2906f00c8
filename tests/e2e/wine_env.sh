# Shared by the Wine scenarios: a private Wine prefix copied from the prepared template,
# a private Xvfb display, and a teardown that ends exactly what was started.
# Usage: source wine_env.sh; wine_session_start TEMPLATE_DIR; ...; (teardown runs on exit)
# With WINE_SESSION_DISPLAY set (":0"), that display is used and no Xvfb is started.

set -u

wine_session_start() {
  local template
  template=$(realpath -m "$1")
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

# Saves a screenshot of one window, by its X id. A window that Wine opens while another of
# the program's windows is active can show black in a capture of the whole Xvfb display,
# while a capture of the window itself shows what it draws.
wine_window_shot() {
  import -display "$DISPLAY" -window "$1" "$2"
}

# Starts a pop-up spawner from EXE, ending after SECONDS at the latest. NAME (default
# "spawn", the session's main spawner) tells several spawners apart: each has its own input
# $SESSION/NAME.in and answers $SESSION/NAME.out; close requests go to $SESSION/closes.log for
# the main spawner and to $SESSION/NAME-closes.log for the others. Commands go to the main
# spawner with spawn, to another with spawn_to.
# Usage: spawner_start EXE SECONDS [NAME]
declare -gA SPAWNER_FD=() SPAWNER_ANSWERS=()
spawner_start() {
  local name=${3:-spawn} log fd
  if [ "$name" = spawn ]; then log=$SESSION/closes.log; else log=$SESSION/$name-closes.log; fi
  mkfifo "$SESSION/$name.in"
  : >"$SESSION/$name.out"
  timeout "$2" wine "$1" --log "$(winepath -w "$log" 2>/dev/null)" \
    <"$SESSION/$name.in" >"$SESSION/$name.out" 2>/dev/null &
  exec {fd}>"$SESSION/$name.in"
  SPAWNER_FD[$name]=$fd
  SPAWNER_ANSWERS[$name]=0
  answer=""
}

# Sends one command and waits for its one-line answer, left in $answer. Call it directly,
# not in $( ): it counts the answers. Without an answer in 10 s the scenario fails.
spawn() { spawn_to spawn "$@"; }

# The same for the spawner started under NAME.
# Usage: spawn_to NAME COMMAND...
spawn_to() {
  local name=$1
  shift
  echo "$*" >&"${SPAWNER_FD[$name]}"
  SPAWNER_ANSWERS[$name]=$((SPAWNER_ANSWERS[$name] + 1))
  for _ in $(seq 200); do
    if [ "$(wc -l <"$SESSION/$name.out")" -ge "${SPAWNER_ANSWERS[$name]}" ]; then
      answer=$(tail -n 1 "$SESSION/$name.out" | tr -d '\r')
      return 0
    fi
    sleep 0.05
  done
  echo "FAIL: the spawner $name did not answer '$*'"
  exit 1
}

# Sends the commands read from stdin without waiting for each answer, then waits for all of
# them. Feed it with < <(...), not a pipe: it counts the answers.
spawn_many() {
  local line count=0
  while IFS= read -r line; do
    echo "$line" >&"${SPAWNER_FD[spawn]}"
    count=$((count + 1))
  done
  SPAWNER_ANSWERS[spawn]=$((SPAWNER_ANSWERS[spawn] + count))
  for _ in $(seq 1200); do
    [ "$(wc -l <"$SESSION/spawn.out")" -ge "${SPAWNER_ANSWERS[spawn]}" ] && return 0
    sleep 0.05
  done
  echo "FAIL: the spawner answered $(wc -l <"$SESSION/spawn.out") of ${SPAWNER_ANSWERS[spawn]} commands"
  exit 1
}

# Waits up to SECONDS for a shown window whose name matches the pattern; its id goes to stdout.
wait_window() {
  local w=""
  for _ in $(seq $(($2 * 10))); do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}

# The data of one registry value (status 0), or nothing when Wine's reg says the key or the
# value is absent (status 1). A reg that ends without either answer, which a loaded machine
# has shown now and then, is asked again; after five tries the scenario fails, since taking
# it for "absent" would let a check pass or fail on a glitch.
# Usage: reg_get KEY NAME
reg_get() {
  local out try
  for try in 1 2 3 4 5; do
    out=$(wine reg query "$1" /v "$2" 2>&1 | tr -d '\r')
    if awk -v n="$2" 'index($0, "    " n "    ") == 1 { sub("^    " n "    REG_[A-Z_]+    ", ""); print; f = 1 }
                      END { exit !f }' <<<"$out"; then
      return 0
    fi
    grep -q 'Unable to find the specified registry' <<<"$out" && return 1
    sleep 0.2
  done
  echo "FAIL: wine reg query '$1' /v '$2' gave no answer in five tries: $out" >&2
  exit 1
}

# The close requests the spawner NAME (default the session's main one) received for windows
# whose caption contains CAPTION; 0 before the first.
closes() {  # CAPTION [NAME]
  local log=$SESSION/closes.log n
  [ -n "${2:-}" ] && log=$SESSION/$2-closes.log
  n=$(grep -c "close .* $1" "$log" 2>/dev/null)
  echo "${n:-0}"
}
closed() { [ "$(closes "$@")" -ge 1 ]; }  # CAPTION [NAME]
# Waits up to two ticks and a margin for a close request.
burned_soon() {  # CAPTION [NAME]
  for _ in $(seq 80); do closed "$@" && return 0; sleep 0.1; done
  return 1
}
# Ends the quellix.exe started as $quellix, as a task manager ends it.
stop_quellix() {
  wine taskkill /im quellix.exe >/dev/null 2>&1
  for _ in $(seq 50); do kill -0 "$quellix" 2>/dev/null || return 0; sleep 0.1; done
  fail "quellix did not end"
}
tray_icon_shown() { xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null 2>&1; }
unix_path() { winepath -u "$1" 2>/dev/null; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Waits up to SECONDS for CONDITION, a shell test given as one string to eval, to hold.
# Usage: wait_until SECONDS CONDITION
wait_until() {
  local i
  for ((i = 0; i < $1 * 10; i++)); do
    eval "$2" && return 0
    sleep 0.1
  done
  return 1
}

# The product's options key, for wine reg.
QUELLIX_KEY='HKLM\Software\Kelvane\popup\option'

# Puts quellix.exe and the spawner from BUILD into $SESSION/app (set as $app), with the
# block list file LIST, and turns on what a user would on the options page for burning:
# both browsers and the log.
# Usage: app_prepare BUILD LIST
app_prepare() {
  app="$SESSION/app"
  mkdir -p "$app"
  cp "$1/quellix.exe" "$1/quellix_spawner.exe" "$app/"
  cp "$2" "$app/popcfg.apo"
  local v
  for v in 0 1 7; do wine reg add "$QUELLIX_KEY" /v "$v" /t REG_SZ /d 1 /f >/dev/null 2>&1; done
}

# Prints the burn log FILE as columns: date, time, browser, title. A record is 150 bytes:
# browser 30, time 10, date 10, title 100, each blank-padded.
print_log_rows() {
  local file=$1 size i record LC_ALL=C
  size=$(stat -c %s "$file" 2>/dev/null || echo 0)
  if [ "$size" -lt 150 ]; then echo "  (no records)"; return 0; fi
  printf '  %-10s  %-10s  %-18s  %s\n' Date Time Browser "Window Title"
  for ((i = 0; i < size / 150; i++)); do
    record=$(dd if="$file" bs=150 skip="$i" count=1 status=none | tr '\0\r\n' '   ')
    printf '  %-10s  %-10s  %-18s  %s\n' "$(field "${record:40:10}")" "$(field "${record:30:10}")" \
      "$(field "${record:0:30}")" "$(field "${record:50:100}")"
  done
}
field() { local s=$1; s=${s%"${s##*[! ]}"}; echo "${s#"${s%%[! ]*}"}"; }

# A scenario's failure: the message, and the end of the scenario (ctest matches "FAIL:").
fail() { echo "FAIL: $*"; exit 1; }

# Starts quellix.exe from $app, ending after SECONDS at the latest, and waits for its tray
# icon: $quellix is its process, $icon_x $icon_y the icon's centre on screen.
quellix_start() {  # SECONDS
  timeout "$1" wine "$app/quellix.exe" &
  quellix=$!
  local tray=""
  for _ in $(seq 50); do
    tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -1)
    [ -n "$tray" ] && break
    sleep 0.1
  done
  sleep 1
  tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -1)
  [ -n "$tray" ] || fail "no tray icon"
  local X Y WINDOW SCREEN WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  icon_x=$((X + 13)) icon_y=$((Y + 32))
}

# Opens the main window with a double click on the tray icon at $icon_x $icon_y.
main_window_open() {
  xdotool mousemove "$icon_x" "$icon_y" click --repeat 2 --delay 80 1
  wait_window '^Quellix$' 5 >/dev/null || fail "the main window did not open"
  sleep 0.5
}

# Opens the main window on its options page.
options_page_open() {
  main_window_open
  spawn click "Quellix|Popup Options"
  sleep 0.8
}

# Opens the tray menu with the right button; its X window is left in $menu. Items are then
# chosen by keyboard (focus the menu first) or by position.
tray_menu_open() {
  xdotool mousemove "$icon_x" "$icon_y" click 3
  menu=""
  for _ in $(seq 30); do
    menu=$(xdotool search --onlyvisible --class 'quellix.exe' 2>/dev/null | while read -r w; do
      [ -z "$(xdotool getwindowname "$w" 2>/dev/null)" ] && echo "$w"; done | head -1)
    [ -n "$menu" ] && return 0
    sleep 0.1
  done
  fail "the tray menu did not open"
}

# The centre ($cx $cy) and edges ($l $t $r $b) on screen of a control found by the spawner:
# by its text ("rect FORM|TEXT") or by class and index ("rectof FORM|CLASS|N").
control_centre() {  # rect|rectof FORM|...
  spawn "$@"
  read -r _ l t r b <<<"$answer"
  [ "$l" != none ] && [ -n "${b:-}" ] || fail "no control for '$*' ($answer)"
  cx=$(((l + r) / 2)) cy=$(((t + b) / 2))
}

# The start of a scenario run as SCRIPT TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR: a session of
# its own, and $template, $build and $shots as absolute paths.
scenario_start() {
  template=$(realpath -m "$1") build=$(realpath -m "$2") shots=$(realpath -m "$3")
  wine_session_start "$template" || exit 1
  mkdir -p "$shots"
}
