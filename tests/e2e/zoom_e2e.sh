#!/usr/bin/env bash
# Zoom and full screen on a 1280 x 1024 screen. Ctrl+Plus doubles the window to
# a 1078 x 782 client area: the field in 2 x 2 blocks, the same picture as at
# 1x, the text drawn anew at twice its size; 3x does not fit, so a second
# Ctrl+Plus changes nothing. F11 puts the game at 2x in the middle of a black
# screen, and back. None of these keys starts a game; Enter does, the field
# follows the game at 2x, the menus still work, and the choice is saved in a
# section of its own.
# Usage: zoom_e2e.sh GAME_BINARY ARTEFACT_DIR
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"
start_xvfb 1280x1024

dir=$(game_dir zoom)
start_game "$dir"
menu1=$MENU
shot plain
score1=$(count FFFFFF 456 8 73 25)

# Waits until the main window is W x H (at X, Y unless "any") and reads its place.
window_is() {
  local w=$1 h=$2 x=$3 y=$4 deadline info
  deadline=$(($(now_ms) + 5000))
  while :; do
    info=$(xwininfo -id "$WINDOW")
    WX=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
    WY=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
    WW=$(sed -n 's/^ *Width: *//p' <<<"$info")
    WH=$(sed -n 's/^ *Height: *//p' <<<"$info")
    [[ $WW == "$w" && $WH == "$h" && ($x == any || ($WX == "$x" && $WY == "$y")) ]] && return 0
    (($(now_ms) < deadline)) || fail "the window is ${WW}x$WH at $WX,$WY, not ${w}x$h at $x,$y"
    sleep 0.05
  done
}
# Pixels of client rectangle X Y W H (even numbers) that break the 2 x 2 blocks.
unblocky() {
  "$CONVERT" "$SHOT" -crop "${3}x${4}+$1+$((MENU + $2))" +repage \
    \( +clone -sample 50% -sample 200% \) -compose difference -composite \
    -separate -evaluate-sequence max -threshold 0 -format "%[fx:round(w*h*mean)]" info:
  echo
}
# The title at 2x: in 2 x 2 blocks, the 1x title's pixels exactly.
title_2x() {
  [[ $(px 4 4) == FFFFFF ]] && (($(unblocky 0 0 888 684) == 0)) || return 1
  "$CONVERT" "$SHOT" -crop "888x684+0+$MENU" +repage -sample 50% "$ART/field-2x-halved.png"
  (($(differ_crops field-1x field-2x-halved) == 0))
}
# No game started: the stage read-out (at 2x) is still empty.
no_game_2x() { (($(count 00FFFF 912 176 146 50) == 0)); }

"$CONVERT" "$ART/plain.xwd" -crop "444x342+0+$menu1" +repage "$ART/field-1x.png"
keys ctrl+plus
window_is 1078 $((2 * (372 + menu1))) any any
MENU=$((2 * menu1))
note "2x: window ${WW}x$WH at $WX,$WY; menu bar $MENU px"
# The title may have given way to the hall of fame meanwhile: it comes back.
poll 15 zoom2 title_2x
# Text is drawn at the zoomed size: single-pixel strokes, not doubled pixels.
(($(unblocky 0 -"$MENU" 200 "$MENU") > 0)) || fail "the menu bar's text is doubled pixels"
(($(unblocky 912 16 146 50) > 0)) || fail "the SCORE caption is doubled pixels"
score2=$(count FFFFFF 912 16 146 50)
((score2 > 3 * score1 && score2 < 5 * score1)) || fail "the SCORE caption has $score2 white pixels at 2x, $score1 at 1x"

# 3x would be 1617 wide: the step stops at 2x, so the Minus after it lands on
# 1x (from any bigger step it would not). Equal steps too.
keys ctrl+plus ctrl+minus
window_is 539 $((372 + menu1)) any any
keys ctrl+equal
window_is 1078 $((2 * (372 + menu1))) any any

# Full screen: 2x, 101 px of black left and right, 121 above and below, the
# menu bar as at 2x and the field's border where it belongs.
"$CONVERT" "$ART/zoom2.xwd" -crop "1078x$MENU+0+0" +repage "$ART/menu-2x.png"
full_screen_2x() {
  local margin x y w h
  for margin in "0 0 1280 121" "0 903 1280 121" "0 121 101 782" "1179 121 101 782"; do
    read -r x y w h <<<"$margin"
    (($(count 000000 "$x" "$y" "$w" "$h") == w * h)) || return 1
  done
  "$CONVERT" "$SHOT" -crop "1078x$((2 * menu1))+101+121" +repage "$ART/menu-full.png"
  (($(differ_crops menu-2x menu-full) == 0)) || return 1
  [[ $(px 105 $((125 + 2 * menu1))) == FFFFFF && $(px 988 $((802 + 2 * menu1))) == FFFFFF ]]
}
keys F11
window_is 1280 1024 0 0
MENU=0
poll 5 full full_screen_2x
keys F11
window_is 1078 $((2 * (372 + menu1))) any any
MENU=$((2 * menu1))
poll 5 back no_game_2x

# Enter starts a game at 2x: GET READY! in green, four times the pixels, then
# the red goal on the right and the head's trail, each redrawn where it changed.
keys Return
poll 5 ready-2x eval '(($(count 00FF00 78 200 734 140) > 12000))'
poll 6 play-2x eval '(($(count FF0000 816 6 50 672) > 1200)) && [[ $(px 161 161) == FFFFFF ]]'
menu_exit
wait_game_end 5
((GAME_STATUS == 0)) || fail "the program ended with status $GAME_STATUS"
expect_file "$dir/marvo.ini" \
  "$(settings_text 1 1 10000 5000 4000 3000 2000)"$'\n\n[Display]\nZoom=2\nFullScreen=0\n'
