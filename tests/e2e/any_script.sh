#!/usr/bin/env bash
# Titles and entries outside the ANSI code page in the real program: a Cyrillic entry burns a
# pop-up whose title has it in capitals; a Chinese pop-up that ignores its close requests
# brings a balloon naming it whole; a title with an emoji, picked from the open windows, shows
# whole in the picker's text field, is stored whole in the block list and burns.
# Usage: any_script.sh TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
scenario_start "$@"

win=$'\xd0\x92\xd1\x8b\xd0\xb8\xd0\xb3\xd1\x80\xd0\xb0\xd0\xb9'    # "Выиграй"
entry=$'\xd0\xb2\xd1\x8b\xd0\xb8\xd0\xb3\xd1\x80\xd0\xb0\xd0\xb9'  # "выиграй"
lottery=$'\xe5\x85\x8d\xe8\xb4\xb9\xe6\x8a\xbd\xe5\xa5\x96'        # "免费抽奖"
free=$'\xe5\x85\x8d\xe8\xb4\xb9'                                   # "免费"
gift=$'Gift ideas \xf0\x9f\x8e\x84'                                # "Gift ideas 🎄"
# A list of UTF-8 behind its byte order mark, as the program writes entries the ANSI code
# page cannot hold.
printf '\xef\xbb\xbf%s\r\n%s\r\n' "$entry" "$free" >"$SESSION/list.apo"
app_prepare "$build" "$SESSION/list.apo"
list="$app/popcfg.apo"
spawner_start "$app/quellix_spawner.exe" 170

spawn "open IEFrame cf0000 0 $win iPhone - Microsoft Internet Explorer"
spawn "open IEFrame cf0000 0 $gift - Microsoft Internet Explorer"
quellix_start 160
burned_soon "IEFrame $win iPhone" || fail "the Cyrillic pop-up was not burned: $(cat "$SESSION/closes.log" 2>/dev/null)"
closed "Gift ideas" && fail "a window no entry names was burned"
echo "a Cyrillic entry burned '$win iPhone'"

# Burned at every tick, and one balloon at the third, naming the title whole.
spawn "open IEFrame cf0000 1 $lottery - Microsoft Internet Explorer"
for _ in $(seq 120); do [ "$(closes "$lottery")" -ge 3 ] && break; sleep 0.1; done
[ "$(closes "$lottery")" -ge 3 ] || fail "the stuck window was asked $(closes "$lottery") times"
balloon=""
for _ in $(seq 20); do
  spawn tips
  balloon=$(echo "$answer" | grep -oF "A pop-up does not close: $lottery" | head -1)
  [ -n "$balloon" ] && break
  sleep 0.2
done
wine_screenshot "$shots/any-script-balloon.png"
[ -n "$balloon" ] || fail "no balloon naming the stuck window (tips: $answer)"
spawn destroy "$(grep -m1 "close .* $lottery" "$SESSION/closes.log" | awk '{print $2}')"
echo "stuck window: balloon '$balloon'"

# The picker lists the window left open; its row copied into the text field stays whole.
tray_menu_open
xdotool windowfocus "$menu" key Down Return
picker=$(wait_window '^Add New Popup window Title\.$' 5) || fail "the picker did not open"
sleep 1
spawn countof "Add New Popup window Title.|ListBox|0"
[ "$answer" = "count 1" ] || fail "the picker lists '$answer' windows"
spawn rectof "Add New Popup window Title.|ListBox|0"
read -r _ l t _ _ <<<"$answer"
xdotool mousemove $((l + 40)) $((t + 8)) click 1
sleep 0.3
spawn textof "Add New Popup window Title.|Edit|0"
[ "$answer" = "text $gift" ] || fail "picking the row gave '$answer'"
wine_window_shot "$picker" "$shots/any-script-picker.png"
control_centre rect "Add New Popup window Title.|OK"
xdotool mousemove "$cx" "$cy" click 1
sleep 0.4
want=$(printf '\xef\xbb\xbf%s\r\n%s\r\n%s\r\n' "$entry" "$free" "$gift" | od -An -tx1 | tr -d ' \n')
for _ in $(seq 20); do [ "$(od -An -tx1 "$list" | tr -d ' \n')" = "$want" ] && break; sleep 0.1; done
[ "$(od -An -tx1 "$list" | tr -d ' \n')" = "$want" ] || fail "the block list holds: $(od -c "$list" | head -4)"
burned_soon "IEFrame $gift" || fail "the picked title was not burned"
echo "picker: '$gift' shown, stored and burned"

tray_menu_open
xdotool windowfocus "$menu" key Up Return   # Exit
spawn quit
echo "PASS"
