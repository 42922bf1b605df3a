#!/usr/bin/env bash
# kalvetra-cli.exe at the ends of a shell's pipes under wine, which are Unix
# pipes there: wine cannot peek into them, and a reader gone is error 233.
#   potoki_unix.sh KALVETRA-CLI.EXE EMULATOR...
set -uo pipefail
cli=$1 run=("${@:2}") bledy=0
zle() { echo "FAIL: $*" >&2; bledy=1; }
# An answer comes while the input stays open (the read's limit only keeps a
# failure from hanging). A reader that has gone ends the run without a word.
for przypadek in "4.0962 100 emf K" "99.97 4.0962 temp K" "100,4.0962 100 convert K --to emf"; do
  read -r oczekiwane wiersz polecenie <<<"$przypadek"
  # shellcheck disable=SC2086
  coproc CLI { "${run[@]}" "$cli" $polecenie 2>&1; }
  printf '%s\n' "$wiersz" >&"${CLI[1]}"
  odp=""
  read -r -t 90 odp <&"${CLI[0]}"
  [ "$odp" = "$oczekiwane" ] || zle "$polecenie: '$odp' instead of '$oczekiwane' while the input is open"
  eval "exec ${CLI[1]}>&-"
  wait "$CLI_PID"
  # shellcheck disable=SC2086
  komunikat=$({ yes "$wiersz" | "${run[@]}" "$cli" $polecenie | head -n 1 >/dev/null; } 2>&1)
  [ -z "$komunikat" ] || zle "$polecenie | head: '$komunikat'"
done
exit $bledy
