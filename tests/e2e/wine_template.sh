#!/usr/bin/env bash
# Prepares the Wine prefix that every scenario copies: created once per build tree.
# Usage: wine_template.sh DIR (relative paths are taken from the current folder)
set -eu
[ $# -eq 1 ] || { echo "usage: wine_template.sh DIR" >&2; exit 2; }
# Wine accepts only an absolute prefix path.
dir=$(realpath -m "$1")
# A template made by an earlier form of this script is made again.
stamp=$(cat "${BASH_SOURCE[0]}" "$(dirname "${BASH_SOURCE[0]}")/arial_stand_in.py" | sha256sum | cut -d" " -f1)
[ "$(cat "$dir/.ready" 2>/dev/null)" = "$stamp" ] && exit 0
rm -rf "$dir"
mkdir -p "$dir/tmp"
export WINEPREFIX=$dir/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" TMPDIR=$dir/tmp
unset DISPLAY
log=$dir/template.log
trap 'wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true' EXIT
# Runs one preparation step with its output in the log; a failure says which step and shows
# the log's last lines.
prepare() {
  echo "\$ $*" >>"$log"
  "$@" >>"$log" 2>&1 && return 0
  local rc=$?
  echo "wine template: '$*' failed with status $rc; last lines of $log:" >&2
  tail -n 20 "$log" | sed 's/^/  | /' >&2
  exit "$rc"
}
start=$(date +%s%N)
prepare wineboot -u
prepare wineserver -w
# Without a window manager, hiding a managed window stalls; no sound driver, no noise.
prepare wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
prepare wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d '' /f
# Wine has no Arial, which the buttons ask for, so their captions wrapped or were cut:
# Liberation Sans has Arial's metrics and takes its place (fonts-liberation), in copies that
# also serve the Arabic character set the buttons ask for (see arial_stand_in.py).
prepare wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans' /f
for style in Regular Bold Italic BoldItalic; do
  prepare python3 "$(dirname "${BASH_SOURCE[0]}")/arial_stand_in.py" \
    "/usr/share/fonts/truetype/liberation/LiberationSans-$style.ttf" "$WINEPREFIX/drive_c/windows/Fonts/LiberationSans-$style.ttf"
done
prepare wineserver -k
prepare wineserver -w
echo "$stamp" >"$dir/.ready"
echo "wine template ready in $(( ($(date +%s%N) - start) / 1000000 )) ms"
