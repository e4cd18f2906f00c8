#!/usr/bin/env bash
# The main job shown end to end: quellix.exe in the tray with the shipped block list, while
# a browser opens pop-ups next to ordinary windows. Prints what was burned and what stayed,
# saves a screenshot, and ends everything it started.
# Usage: main_job.sh TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR
# Runs on $DISPLAY when an X server answers there, otherwise on a private Xvfb.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
template=$(realpath -m "$1") build=$(realpath -m "$2") shots=$(realpath -m "$3")
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  WINE_SESSION_DISPLAY=$DISPLAY
  echo "using display $DISPLAY"
else
  echo "no display: using a private Xvfb"
fi
wine_session_start "$template" || exit 1
mkdir -p "$shots"

app_prepare "$build" "$build/popcfg.apo"
key=$QUELLIX_KEY
# A desktop with a window manager manages Wine's windows as usual.
[ -n "${WINE_SESSION_DISPLAY:-}" ] &&
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d Y /f >/dev/null 2>&1

spawner_start "$app/quellix_spawner.exe" 120

timeout 120 wine "$app/quellix.exe" &
echo "quellix.exe started with the shipped block list ($(grep -c . "$app/popcfg.apo") entries)"
sleep 2

windows=(
  "IEFrame|You have won a prize! - Microsoft Internet Explorer|burn"
  "IEFrame|Casino Royale Online - Microsoft Internet Explorer|burn"
  "MozillaWindowClass|Free ringtones for you - Mozilla Firefox|burn"
  "MozillaWindowClass|Lose weight fast - Mozilla Firefox|burn"
  "IEFrame|Kelvane news - Microsoft Internet Explorer|stay"
  "MozillaWindowClass|Weather today - Mozilla Firefox|stay"
  "Notepad|Special offer.txt - Notepad|stay"
)
for w in "${windows[@]}"; do
  IFS='|' read -r class title _ <<<"$w"
  spawn "open $class cf0000 0 $title"
  echo "opened  $class: $title"
done

expected=0
for w in "${windows[@]}"; do [ "${w##*|}" = burn ] && expected=$((expected + 1)); done
for _ in $(seq 100); do
  [ "$(cat "$SESSION/closes.log" 2>/dev/null | grep -c '^close ')" -ge "$expected" ] && break
  sleep 0.1
done
sleep 3.5   # one more tick, so that a wrong burn would show
wine_screenshot "$shots/main-job.png"

echo
status=0
for w in "${windows[@]}"; do
  IFS='|' read -r class title want <<<"$w"
  if grep -qF " $class $title" "$SESSION/closes.log" 2>/dev/null; then got=burn; else got=stay; fi
  [ "$got" = "$want" ] || status=1
  printf '%-6s %s: %s%s\n' "$([ "$got" = burn ] && echo burned || echo stayed)" "$class" "$title" \
    "$([ "$got" = "$want" ] || echo "   <- expected to $want")"
done
cnt=$(wine reg query "$key" /v cnt 2>/dev/null | tr -d '\r' | awk '/cnt/ {print $3}')
echo
echo "Popups burned (cnt): ${cnt:-0}"
echo "popuplog.txt, one 150-byte record a row:"
print_log_rows "$app/popuplog.txt"
echo "screenshot: $shots/main-job.png"
spawn quit
exit $status
