# Shared by the scripts: the repository's absolute path, and steps that say what failed.
# Usage: source "$(dirname "$0")/lib.sh"

set -eu
QUELLIX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$QUELLIX_ROOT"

# Anything that fails outside a step still names itself before the script ends.
trap 'rc=$?; echo "FAILED (status $rc): ${BASH_SOURCE[0]##*/} line $LINENO: $BASH_COMMAND" >&2' ERR

# Runs one set-up step with its output kept aside. On failure it prints what failed, the
# command, its exit status and the last lines of its output, and ends the script.
# Usage: step "what it does" command [args...]
step() {
  local what=$1 log rc
  shift
  log=$(mktemp "${TMPDIR:-/tmp}/quellix-step.XXXXXX")
  "$@" >"$log" 2>&1 && { rm -f "$log"; return 0; }
  rc=$?
  trap - ERR
  {
    echo "FAILED (status $rc): $what"
    echo "  command: $*"
    echo "  last lines of its output:"
    tail -n 30 "$log" | sed 's/^/  | /'
  } >&2
  rm -f "$log"
  exit "$rc"
}
