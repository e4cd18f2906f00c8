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

# Builds what a Wine scenario needs of the Windows build, prepares the Wine prefix template
# and runs the scenario with the template, the build folder and the arguments given.
# Usage: run_wine_scenario "what is built" SCENARIO.sh "TARGET..." [ARGS...]
run_wine_scenario() {
  local what=$1 scenario=$2 targets=$3 build=$QUELLIX_ROOT/build/win64
  shift 3
  step "configuring the Windows build (cmake --preset win64)" cmake --preset win64
  # The targets are separate words.
  # shellcheck disable=SC2086
  step "building $what" cmake --build --preset win64 -j "$(nproc)" --target $targets
  step "preparing the Wine prefix template" bash tests/e2e/wine_template.sh "$build/wine-template"
  exec bash "tests/e2e/$scenario" "$build/wine-template" "$build" "$@"
}
