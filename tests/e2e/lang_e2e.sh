#!/usr/bin/env bash
# The game's language follows the player's locale: English menus, window
# titles and help under an English locale, the game's own Japanese under C and
# ja_JP, and the access keys the same in both (Alt+G then X exits). A help
# file that is missing gives way to the other language's.
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
# with a file name after KEY, the text it shows (select all puts it in the X
# selection) goes to that file. Escape then closes that window.
help_item_title() {
  local popup shown
  keys alt+h
  popup=$(new_window 5) || fail "the help menu did not open"
  xdotool key "$1"
  shown=$(new_window 5 "$popup") || fail "Help, $1 showed no window"
  xdotool getwindowname "$shown"
  if [[ -n ${2:-} ]]; then
    shot_window "$shown" "$(basename "$2" .txt)"
    keys -w "$shown" ctrl+a
    retry 40 selection_to "$2" || fail "the help window's text could not be selected"
  fi
  keys -w "$shown" Escape
  for _ in $(seq 50); do window_shown "$shown" || break; sleep 0.05; done
  window_shown "$shown" && fail "Escape did not close the window of Help, $1"
  return 0
}

selection_to() { xclip -o -selection primary >"$1" 2>/dev/null && [[ -s $1 ]]; }

# run LANG [HELP_FILE...]: the game beside its translation and the help files
# named (both when none is) under that locale; sets BAR, HELP_TITLE, HELP (the
# file holding the help's text) and ABOUT_TITLE, then exits through Alt+G, X.
run() {
  local dir lang=$1 build
  build=$(dirname "$GAME")
  shift
  (($#)) || set -- marvo.hlp marvo_en.hlp
  dir=$(game_dir "$lang" "$build/marvostel_en.qm" "${@/#/$build/}")
  LANG=$lang start_game "$dir" "$lang"
  BAR=$(menu_bar "$lang")
  HELP=$ART/help-$lang.txt
  HELP_TITLE=$(help_item_title h "$HELP")
  ABOUT_TITLE=$(help_item_title a)
  note "LANG=$lang: menu bar glyphs $BAR, help '$HELP_TITLE' ($(head -1 "$HELP")), about '$ABOUT_TITLE'"
  menu_exit
  wait_game_end 5
  ((GAME_STATUS == 0)) || fail "under LANG=$lang Alt+G, X ended the game with status $GAME_STATUS"
  HELP_SAID=$(grep -c 'help shows' "$ART/game-$lang.log" || true)
}

run en_US.UTF-8
english=$BAR
[[ $HELP_TITLE == 'MARVOSTEL Help' ]] || fail "English help window title: $HELP_TITLE"
[[ $ABOUT_TITLE == 'About MARVOSTEL' ]] || fail "English About window title: $ABOUT_TITLE"
# "Game Settings Help" in the desktop's own smoothed font, whose letters run
# together: glyphs there, and not the Japanese bar's.
[[ -n $english && $english != ABCDEFGHIEJGKLMNOEPG ]] ||
  fail "the menu bar does not read Game Settings Help ($english)"
grep -q '^How to play$' "$HELP" || fail "the English help does not show (see $HELP)"
((HELP_SAID == 0)) || fail "with both help files there, the game said it used the other"

run C marvo_en.hlp
[[ $HELP_TITLE == 'MARVOSTEL ﾍﾙﾌﾟ' ]] || fail "the help window's title under C: $HELP_TITLE"
[[ $ABOUT_TITLE == 'ﾊﾞｰｼﾞｮﾝ情報' ]] || fail "the About window's title under C: $ABOUT_TITLE"
# "ｹﾞｰﾑ(G) 設定(S) ﾍﾙﾌﾟ(H)": the parentheses (E and G) around each access
# letter; the two strokes of ﾙ read as two glyphs.
[[ $BAR == ABCDEFGHIEJGKLMNOEPG ]] || fail "the menu bar under C is not the game's own ($BAR)"
grep -q '^How to play$' "$HELP" || fail "without marvo.hlp, the English help does not show"
((HELP_SAID == 1)) || fail "the help's fallback was said $HELP_SAID times, not once"

run ja_JP.UTF-8
[[ $HELP_TITLE == 'MARVOSTEL ﾍﾙﾌﾟ' ]] || fail "the help window's title under ja_JP: $HELP_TITLE"
[[ $BAR == ABCDEFGHIEJGKLMNOEPG ]] || fail "the menu bar under ja_JP is not the game's own ($BAR)"
grep -q '^遊び方$' "$HELP" || fail "the Japanese help does not show under ja_JP (see $HELP)"
((HELP_SAID == 0)) || fail "with both help files there, the game said it used the other"
