#!/usr/bin/env bash
# Titles in every script and today's browsers in the real program, on a Western (1252)
# system. Copies of the pop-up spawner named firefox.exe, thunderbird.exe and msedge.exe
# open windows as those programs would, with Cyrillic, Chinese and emoji captions.
#   1. With a UTF-8 list ("выиграй", "免费", "🎁" and the browsers' own names), the listed
#      pop-ups burn; the other windows in the same scripts, the mail program's windows, the
#      user's own browser windows and every window bearing only a browser's or a profile's
#      name stay. The log keeps "Выиграй iPhone".
#   2. A Cyrillic title added through the picker is saved with the list, which stays whole
#      on disk as UTF-8, and burns.
#   3. With a list of the Western page ("café"), an edit writes it back byte for byte.
# Usage: unicode_titles.sh TEMPLATE_DIR BUILD_DIR SCREENSHOT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
scenario_start "$@"

vyigrai='Выиграй iPhone' news_ru='Последние новости' free_draw='免费抽奖' news_zh='中文新闻'
edge=$'Microsoft\u200b Edge'   # Edge writes a zero-width space after "Microsoft"
mozilla=MozillaWindowClass chromium=Chrome_WidgetWin_1
printf '\xEF\xBB\xBFsentinel\r\nвыиграй\r\n免费\r\n🎁\r\nfirefox\r\nmozilla\r\nprivate\r\nprofile 1\r\nmicrosoft\r\n' \
  >"$SESSION/list.apo"
app_prepare "$build" "$SESSION/list.apo"
for program in firefox thunderbird msedge; do cp "$app/quellix_spawner.exe" "$app/$program.exe"; done
wine reg add "$QUELLIX_KEY" /v chromium /t REG_SZ /d 1 /f >/dev/null 2>&1
list="$app/popcfg.apo"

# The entries of the list file, one a line, decoded as the program reads them.
list_entries() {
  python3 - "$list" <<'EOF'
import sys
data = open(sys.argv[1], 'rb').read()
text = data[3:].decode('utf-8') if data.startswith(b'\xef\xbb\xbf') else data.decode('cp1252')
print('\n'.join(text.split('\r\n')[:-1]))
EOF
}
# The titles of the log's records, one a line, each field read as the log viewer reads it.
log_titles() {
  python3 - "$app/popuplog.txt" <<'EOF'
import sys
data = open(sys.argv[1], 'rb').read()
for at in range(0, len(data) - 149, 150):
    field = data[at + 50:at + 150].split(b'\0')[0]
    text = field[3:].decode('utf-8') if field.startswith(b'\xef\xbb\xbf') else field.decode('cp1252')
    print(text.strip(' '))
EOF
}
# Waits for a tick: the Internet Explorer frame it opens with the listed "sentinel" is
# burned at every tick. The frames met at that tick are the ones already open.
tick_seen() {  # N
  spawn "open IEFrame cf0000 0 Sentinel $1 - Microsoft Internet Explorer"
  burned_soon "Sentinel $1" || fail "no tick burned sentinel $1"
  sleep 0.3   # the walk that burned it is over
}
reg_value() { reg_get "$QUELLIX_KEY" "$1"; }

spawner_start "$app/quellix_spawner.exe" 170
spawner_start "$app/firefox.exe" 170 firefox
spawner_start "$app/thunderbird.exe" 170 thunderbird
spawner_start "$app/msedge.exe" 170 msedge
# The user's own browser windows, open before the start.
spawn_to firefox "open $mozilla cf0000 0 Новости — Mozilla Firefox"
spawn_to msedge "open $chromium cf0000 0 Start - Profile 1 - $edge"

# 1. The listed pop-ups burn, nothing else does.
quellix_start 160
tick_seen 1
spawn "open IEFrame cf0000 0 $vyigrai - Microsoft Internet Explorer"
spawn "open IEFrame cf0000 0 $news_ru - Microsoft Internet Explorer"
spawn_to firefox "open $mozilla cf0000 0 $free_draw — Mozilla Firefox"
spawn_to firefox "open $mozilla cf0000 0 $news_zh — Mozilla Firefox"
spawn_to firefox "open $mozilla cf0000 0 Weather — Mozilla Firefox Private Browsing"
spawn_to firefox "open $mozilla cf0000 0 Mozilla Firefox"
spawn_to msedge "open $chromium cf0000 0 Gift ideas 🎁 - Profile 1 - $edge"
spawn_to msedge "open $chromium cf0000 0 Gift ideas 🎄 - Profile 1 - $edge"
spawn_to msedge "open $chromium cf0000 0 News - Profile 1 - $edge"
spawn_to thunderbird "open $mozilla cf0000 0 $vyigrai - Mozilla Thunderbird"
spawn_to thunderbird "open $mozilla cf0000 0 免费 offer — Mozilla Thunderbird"
burned_soon "$vyigrai" || fail "the Cyrillic pop-up was not burned"
burned_soon "$free_draw" firefox || fail "the Chinese Firefox pop-up was not burned"
burned_soon "Gift ideas 🎁" msedge || fail "the emoji Edge pop-up was not burned"
tick_seen 2
tick_seen 3
for stays in "spawn|$news_ru" "firefox|$news_zh" "firefox|Weather" "firefox|$mozilla Mozilla Firefox" "firefox|Новости" \
             "msedge|Gift ideas 🎄" "msedge|News" "msedge|Start" "thunderbird|Mozilla Thunderbird"; do
  name=${stays%%|*} caption=${stays#*|}
  [ "$name" = spawn ] && name=""
  [ "$(closes "$caption" "$name")" = 0 ] || fail "'$caption' of ${name:-the spawner} was burned"
done
[ "$(closes "$vyigrai")" = 1 ] || fail "'$vyigrai' had $(closes "$vyigrai") close requests"
[ "$(reg_value cnt)" = 6 ] || fail "cnt is '$(reg_value cnt)'"   # three sentinels and three pop-ups
titles=$(log_titles)
grep -qx "$vyigrai" <<<"$titles" || fail "the log does not keep '$vyigrai': $titles"
grep -qx "$free_draw" <<<"$titles" || fail "the log does not keep '$free_draw': $titles"
grep -qx "Gift ideas 🎁" <<<"$titles" || fail "the log does not keep 'Gift ideas 🎁': $titles"
! grep -q '?' <<<"$titles" || fail "a logged title holds '?': $titles"
echo "listed pop-ups in three scripts burned and logged whole; other windows, mail and browser names left alone"

# 2. A Cyrillic title added through the picker: saved with the list, whole, and burned.
spawn "open IEFrame cf0000 0 Ваш приз ждёт - Microsoft Internet Explorer"
tray_menu_open
xdotool windowfocus "$menu" key Down Return
picker=$(wait_window '^Add New Popup window Title\.$' 5) || fail "the picker did not open"
sleep 1
wine_window_shot "$picker" "$shots/picker-unicode.png"
spawn rectof "Add New Popup window Title.|ListBox|0"
read -r _ l t _ _ <<<"$answer"
xdotool mousemove $((l + 40)) $((t + 8)) click 1
sleep 0.3
spawn textof "Add New Popup window Title.|Edit|0"
[ "$answer" = "text Ваш приз ждёт" ] || fail "picking the top row gave '$answer'"
control_centre rect "Add New Popup window Title.|OK"
xdotool mousemove "$cx" "$cy" click 1
wait_until 5 '[ "$(list_entries | tail -n 1)" = "Ваш приз ждёт" ]' || fail "the picked title is not saved: $(list_entries)"
expected=$(printf '%s\n' sentinel выиграй 免费 🎁 firefox mozilla private 'profile 1' microsoft 'Ваш приз ждёт')
[ "$(list_entries)" = "$expected" ] || fail "the list on disk is now: $(list_entries)"
head -c 3 "$list" | cmp -s - <(printf '\xEF\xBB\xBF') || fail "the list lost its UTF-8 mark"
! grep -q '?' "$list" || fail "the list on disk holds '?'"
burned_soon "Ваш приз ждёт" || fail "the picked Cyrillic title was not burned"
echo "picker: a Cyrillic title added, the list saved whole as UTF-8, the title burned"
stop_quellix

# 3. A list of the Western page is written back byte for byte by an edit.
printf 'offers\r\ncaf\xE9\r\n' >"$list"
quellix_start 60
spawn "open IEFrame cf0000 0 Café crème - Microsoft Internet Explorer"
burned_soon "Café crème" || fail "the Western entry 'café' did not burn 'Café crème'"
spawn "open IEFrame cf0000 0 Lottery winners - Microsoft Internet Explorer"
tray_menu_open
xdotool windowfocus "$menu" key Down Return
wait_window '^Add New Popup window Title\.$' 5 >/dev/null || fail "the picker did not open"
sleep 1
spawn rectof "Add New Popup window Title.|ListBox|0"
read -r _ l t _ _ <<<"$answer"
xdotool mousemove $((l + 40)) $((t + 8)) click 1
sleep 0.3
control_centre rect "Add New Popup window Title.|OK"
xdotool mousemove "$cx" "$cy" click 1
wait_until 5 'grep -q "Lottery winners" "$list"' || fail "the picked title is not saved"
cmp -s "$list" <(printf 'offers\r\ncaf\xE9\r\nLottery winners\r\n') ||
  fail "the Western list was not written byte for byte: $(od -c "$list" | head -5)"
echo "a list of the Western page stays byte for byte what it was"
stop_quellix
spawn quit
echo "PASS"
