#!/usr/bin/env bash
# Zoom and full screen on a 1280 x 1024 screen. Ctrl+Plus doubles the window to
# a 1078 x 782 client area: the field in 2 x 2 blocks, the same
# picture as at 1x, the text drawn anew at twice its size; 3x does not fit, so
# a second Ctrl+Plus changes nothing. F11 puts the game at 2x in the middle of
# a black screen, and back. None of these keys starts a game; Enter and the
# menus still work, and the choice is saved in a section of its own.
# Usage: zoom_e2e.sh GAME_BINARY ARTEFACT_DIR
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"
start_xvfb 1280x1024

dir=$(game_dir zoom)
start_game "$dir"
menu1=$MENU
shot plain

# Waits until the main window is W x H at X, Y, then takes its shot as NAME.
window_becomes() {
  local w=$1 h=$2 x=$3 y=$4 name=$5 deadline info
  deadline=$(($(now_ms) + 5000))
  while :; do
    info=$(xwininfo -id "$WINDOW")
    WX=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
    WY=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
    WW=$(sed -n 's/^ *Width: *//p' <<<"$info")
    WH=$(sed -n 's/^ *Height: *//p' <<<"$info")
    [[ $WW == "$w" && $WH == "$h" && ($x == any || ($WX == "$x" && $WY == "$y")) ]] && break
    (($(now_ms) < deadline)) || fail "the window is ${WW}x$WH at $WX,$WY, not ${w}x$h at $x,$y"
    sleep 0.05
  done
  shot "$name"
}
# Pixels of client rectangle X Y W H (even numbers) that break the 2 x 2 blocks.
unblocky() {
  "$CONVERT" "$SHOT" -crop "${3}x${4}+$1+$((MENU + $2))" +repage \
    \( +clone -sample 50% -sample 200% \) -compose difference -composite \
    -separate -evaluate-sequence max -threshold 0 -format "%[fx:round(w*h*mean)]" info:
  echo
}
# The title at 2x: the border's corners and the big red letters, four times as many.
title_2x() {
  [[ $(px 4 4) == FFFFFF && $(px 887 681) == FFFFFF ]] && (($(count FF0000 58 88 780 156) > 40000))
}

keys ctrl+plus
window_becomes 1078 $((2 * (372 + menu1))) any any zoom2
MENU=$((2 * menu1))
note "2x: window ${WW}x$WH at $WX,$WY; menu bar $MENU px"
title_2x || fail "no title at 2x (see $SHOT)"
(($(unblocky 0 0 888 684) == 0)) || fail "the field at 2x is not made of 2 x 2 blocks"
"$CONVERT" "$SHOT" -crop "888x684+0+$MENU" +repage -sample 50% "$ART/field-2x-halved.png"
"$CONVERT" "$ART/plain.png" -crop "444x342+0+$menu1" +repage "$ART/field-1x.png"
(($(differ_crops field-1x field-2x-halved) == 0)) || fail "the field at 2x is not the 1x field in blocks"
# Text is drawn at the zoomed size: single-pixel strokes, not doubled pixels.
(($(unblocky 0 -"$MENU" 200 "$MENU") > 0)) || fail "the menu bar's text is doubled pixels"
(($(unblocky 912 16 146 50) > 0)) || fail "the SCORE caption is doubled pixels"
(($(count FFFFFF 912 16 146 50) > 0)) || fail "no SCORE caption at 2x"

# 3x would be 1617 wide: the step stops at 2x. Minus and Equal step too.
keys ctrl+plus
sleep 0.5
window_becomes 1078 $((2 * (372 + menu1))) any any zoom-limit
keys ctrl+minus
window_becomes 539 $((372 + menu1)) any any zoom1
keys ctrl+equal
window_becomes 1078 $((2 * (372 + menu1))) any any zoom2-again

# Full screen: 2x, 101 px of black left and right, 121 above and below.
keys F11
window_becomes 1280 1024 0 0 full
MENU=0
note "full screen: game at 101,121"
for margin in "0 0 1280 121" "0 903 1280 121" "0 121 101 782" "1179 121 101 782"; do
  read -r x y w h <<<"$margin"
  (($(count 000000 "$x" "$y" "$w" "$h") == w * h)) || fail "the margin $margin is not all black"
done
"$CONVERT" "$SHOT" -crop "1078x782+101+121" +repage "$ART/full-game.png"
"$CONVERT" "$ART/zoom2-again.png" -crop "1078x$((2 * menu1))+0+0" +repage "$ART/menu-2x.png"
"$CONVERT" "$ART/full-game.png" -crop "1078x$((2 * menu1))+0+0" +repage "$ART/menu-full.png"
(($(differ_crops menu-2x menu-full) == 0)) || fail "the menu bar in full screen is not the one at 2x"
MENU=$((121 + 2 * menu1))
[[ $(px 105 4) == FFFFFF && $(px 988 681) == FFFFFF ]] || fail "no field border at 2x in full screen"
keys F11
window_becomes 1078 $((2 * (372 + menu1))) any any back
MENU=$((2 * menu1))
title_2x || fail "the zoom keys changed the title (see $SHOT)"

# Enter starts a game at 2x: GET READY! in green, four times the pixels.
keys Return
poll 5 ready-2x eval '(($(count 00FF00 78 200 734 140) > 12000))'
menu_exit
wait_game_end 5
((GAME_STATUS == 0)) || fail "the program ended with status $GAME_STATUS"
expect_file "$dir/marvo.ini" \
  "$(settings_text 1 1 10000 5000 4000 3000 2000)"$'\n\n[Display]\nZoom=2\nFullScreen=0\n'
