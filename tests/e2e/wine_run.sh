#!/usr/bin/env bash
# Runs one Windows program under Wine in a private prefix and display; exits with its code.
# Usage: wine_run.sh TEMPLATE_DIR PROGRAM.exe [ARGS...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
template=$1
shift
wine_session_start "$template" || exit 1
timeout 240 wine "$@"
