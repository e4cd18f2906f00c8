#!/usr/bin/env bash
# The organisation's policies in the real program. The product stores "1" (Netscape /
# Mozilla) off and "6" (no title bar) on, while the machine's policy key says SupportMozilla
# = 1 and KillNoTitleBar = 0: a listed Mozilla pop-up burns, a bare Internet Explorer frame
# stays. The options page shows both boxes as the policies say, disabled, with the note under
# the page; a click on a managed box stores nothing. A per-user AllowUserEntries = 0 set while
# the program runs disables the block list's editing buttons at the next showing of the page.
# With the machine's policies taken away, the options page shows the stored values again.
# Usage: policies.sh TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
scenario_start "$@"

printf 'offers\r\n' >"$SESSION/list.apo"
app_prepare "$build" "$SESSION/list.apo"
key=$QUELLIX_KEY
policy_key='HKLM\Software\Policies\Kelvane\Quellix'
user_policy_key='HKCU\Software\Policies\Kelvane\Quellix'
wine reg add "$key" /v 1 /t REG_SZ /d 0 /f >/dev/null 2>&1
wine reg add "$key" /v 6 /t REG_SZ /d 1 /f >/dev/null 2>&1
wine reg add "$policy_key" /v SupportMozilla /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine reg add "$policy_key" /v KillNoTitleBar /t REG_DWORD /d 0 /f >/dev/null 2>&1
reg_value() { reg_get "$key" "$1"; }
# Asks the spawner about a control of the main window found by its caption; fails unless
# the answer is VERB ANSWER. (Not in $( ): spawn counts its answers.)
expect() {  # VERB CAPTION ANSWER
  spawn "$1" "Quellix|$2"
  [ "$answer" = "$1 $3" ] || fail "'$2': $answer, expected $1 $3"
}

spawner_start "$app/quellix_spawner.exe" 100
quellix_start 90

# 1. The burn cycle obeys the policies, not the stored values.
spawn "open IEFrame 80000000 0 Plain page - Microsoft Internet Explorer"
spawn "open MozillaWindowClass cf0000 0 Cheap offers - Mozilla Firefox"
burned_soon "Cheap offers" || fail "the Mozilla pop-up was not burned while SupportMozilla = 1"
sleep 3.5  # one tick more
[ "$(closes "Plain page")" = 0 ] || fail "the frame without a title bar was burned while KillNoTitleBar = 0"
[ "$(reg_value 1)" = 0 ] || fail "stored \"1\" became '$(reg_value 1)'"
[ "$(reg_value 6)" = 1 ] || fail "stored \"6\" became '$(reg_value 6)'"
echo "burn cycle: the Mozilla pop-up burned with \"1\" stored off; the bare frame stayed with \"6\" stored on"

# 2. The options page shows the managed boxes checked or clear as the policies say, disabled.
options_page_open
mozilla="Support Netscape / Mozilla" bare="Kill window has No TitleBar" ie="Support Internet Explorer"
note="Some settings are managed by your organization."
expect checked "$mozilla" 1
expect enabled "$mozilla" 0
expect checked "$bare" 0
expect enabled "$bare" 0
expect checked "$ie" 1
expect enabled "$ie" 1
spawn rect "Quellix|$note"
read -r _ nl nt nr nb <<<"$answer"
[ "$nl" != none ] || fail "no line '$note' under the page"
control_centre rect "Quellix|OK"
[ "$nb" -le "$t" ] || fail "the note ($nt-$nb) runs into the OK button (from $t)"
wine_screenshot "$shots/options-policies.png"
# A click on a managed box changes nothing.
control_centre rect "Quellix|$mozilla"
xdotool mousemove "$cx" "$cy" click 1
sleep 0.5
expect checked "$mozilla" 1
[ "$(reg_value 1)" = 0 ] || fail "the click stored \"1\" = '$(reg_value 1)'"
echo "options page: managed boxes shown as the policies say, disabled, the note shown, nothing stored"

# 3. The user's own list closed to editing by a policy set while the program runs.
spawn click "Quellix|PopUp Caption"
sleep 0.8
for caption in Add Import; do expect enabled "$caption" 1; done
wine reg add "$user_policy_key" /v AllowUserEntries /t REG_DWORD /d 0 /f >/dev/null 2>&1
spawn click "Quellix|PopUp Caption"
sleep 0.8
for caption in Add Edit Remove Import; do expect enabled "$caption" 0; done
expect enabled Export 1
wine_screenshot "$shots/caption-policies.png"
echo "block list page: Add, Edit, Remove and Import disabled by AllowUserEntries = 0"

# 4. The machine's policies taken away: at the next showing of the options page the boxes are
#    free again and show the stored values, and the note is gone.
wine reg delete "$policy_key" /f >/dev/null 2>&1
spawn click "Quellix|Popup Options"
sleep 0.8
expect checked "$mozilla" 0
expect enabled "$mozilla" 1
expect checked "$bare" 1
expect enabled "$bare" 1
spawn rect "Quellix|$note"
[ "$answer" = "rect none" ] || fail "the note is still shown with nothing managed ($answer)"
wine_screenshot "$shots/options-unmanaged.png"
echo "options page: with the policies gone the boxes show the stored values, free, and no note"

spawn quit
echo "PASS"
