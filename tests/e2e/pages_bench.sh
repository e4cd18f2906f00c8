#!/usr/bin/env bash
# The main window with long lists under Wine: load and show, store, and view the log for
# each row count given (default 1,000 and 100,000).
# Usage: pages_bench.sh TEMPLATE_DIR BUILD_DIR [ROWS...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
template=$1 build=$2
shift 2
[ $# -gt 0 ] || set -- 1000 100000
wine_session_start "$template" || exit 1
app="$SESSION/app"
mkdir -p "$app"
cp "$build/quellix_pages_bench.exe" "$app/"
timeout 600 wine "$app/quellix_pages_bench.exe" "$(winepath -w "$app" 2>/dev/null)" "$@" | tr -d '\r'
