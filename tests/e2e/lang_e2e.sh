#!/usr/bin/env bash
# The game's language follows the player's locale: English menus and window
# titles under an English locale, the game's own Japanese under C, and the
# access keys the same in both (Alt+G then X exits).
# Usage: lang_e2e.sh GAME_BINARY ARTEFACT_DIR
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"
start_xvfb
unset LC_ALL LC_MESSAGES LANGUAGE

# The menu bar's black text, read as glyph shapes, and saved for the eye.
menu_bar() {
  shot "menu-bar-$1"
  "$CONVERT" "$SHOT" -crop "${WW}x${MENU}+0+0" +repage "$ART/menu-bar-$1.png"
  glyphs 000000 0 "-$MENU" "$WW" "$MENU"
}

# Opens item KEY of the Help menu and prints the title of the window it shows;
# Escape then closes that window.
help_item_title() {
  local popup shown
  keys alt+h
  popup=$(new_window 5) || fail "the help menu did not open"
  xdotool key "$1"
  shown=$(new_window 5 "$popup") || fail "Help, $1 showed no window"
  xdotool getwindowname "$shown"
  keys -w "$shown" Escape
  for _ in $(seq 50); do window_shown "$shown" || break; sleep 0.05; done
  window_shown "$shown" && fail "Escape did not close the window of Help, $1"
  return 0
}

# run LANG: the game beside its translation under that locale; sets BAR,
# HELP_TITLE and ABOUT_TITLE, then exits through Alt+G, X.
run() {
  local dir
  dir=$(game_dir "$1" "$(dirname "$GAME")/marvostel_en.qm")
  LANG=$1 start_game "$dir" "$1"
  BAR=$(menu_bar "$1")
  HELP_TITLE=$(help_item_title h)
  ABOUT_TITLE=$(help_item_title a)
  note "LANG=$1: menu bar glyphs $BAR, help '$HELP_TITLE', about '$ABOUT_TITLE'"
  menu_exit
  wait_game_end 5
  ((GAME_STATUS == 0)) || fail "under LANG=$1 Alt+G, X ended the game with status $GAME_STATUS"
}

run en_US.UTF-8
english=$BAR
[[ $HELP_TITLE == 'MARVOSTEL Help' ]] || fail "English help window title: $HELP_TITLE"
[[ $ABOUT_TITLE == 'About MARVOSTEL' ]] || fail "English About window title: $ABOUT_TITLE"
# "Game Settings Help" (the a and m of Game touch and read as one glyph): the
# e of Game comes back in Settings and Help, and Settings has its double t.
[[ $english == ABCDCEEFGHIJCKL ]] || fail "the menu bar does not read Game Settings Help ($english)"

run C
[[ $HELP_TITLE == 'MARVOSTEL ﾍﾙﾌﾟ' ]] || fail "the help window's title under C: $HELP_TITLE"
[[ $ABOUT_TITLE == 'ﾊﾞｰｼﾞｮﾝ情報' ]] || fail "the About window's title under C: $ABOUT_TITLE"
# "ｹﾞｰﾑ(G) 設定(S) ﾍﾙﾌﾟ(H)": the parentheses (E and G) around each access
# letter; the two strokes of ﾙ read as two glyphs.
[[ $BAR == ABCDEFGHIEJGKLMNOEPG ]] || fail "the menu bar under C is not the game's own ($BAR)"
