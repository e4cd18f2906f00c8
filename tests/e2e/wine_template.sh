#!/usr/bin/env bash
# Prepares the Wine prefix that every scenario copies: created once per build tree.
set -eu
dir=$1
[ -f "$dir/.ready" ] && exit 0
rm -rf "$dir"
mkdir -p "$dir/tmp"
export WINEPREFIX=$dir/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" TMPDIR=$dir/tmp
unset DISPLAY
trap 'wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true' EXIT
start=$(date +%s%N)
wineboot -u >/dev/null 2>&1
wineserver -w
# Without a window manager, hiding a managed window stalls; no sound driver, no noise.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d '' /f >/dev/null 2>&1
wineserver -k
wineserver -w
touch "$dir/.ready"
echo "wine template ready in $(( ($(date +%s%N) - start) / 1000000 )) ms"
