#!/usr/bin/env bash
# kalvetra-cli.exe at the ends of a shell's pipes under wine, where the pipes
# are Unix ones: wine cannot peek into them, and a reader that has gone is
# error 233 there.
#   potoki_unix.sh KALVETRA-CLI.EXE EMULATOR...
set -uo pipefail
cli=$1
run=("${@:2}")
bledy=0
zle() { echo "FAIL: $*" >&2; bledy=$((bledy + 1)); }

# An answer comes while the input stays open. The read's limit only keeps a
# failure from hanging: a working program answers at once.
odpowiedz() {
  local oczekiwane=$1 wiersz=$2 odp=""
  shift 2
  coproc CLI { "${run[@]}" "$cli" "$@" 2>&1; }
  printf '%s\n' "$wiersz" >&"${CLI[1]}"
  if ! read -r -t 90 odp <&"${CLI[0]}"; then
    zle "$*: no answer while the input is open"
  elif [ "$odp" != "$oczekiwane" ]; then
    zle "$*: '$odp' instead of '$oczekiwane'"
  fi
  eval "exec ${CLI[1]}>&-"  # the end of the input
  wait "$CLI_PID"
}
odpowiedz 4.0962 100 emf K
odpowiedz 99.97 4.0962 temp K
odpowiedz 100,4.0962 100 convert K --to emf

# A reader that has gone ends the run without a word.
for polecenie in "emf K" "convert K --to emf"; do
  # shellcheck disable=SC2086
  komunikat=$({ yes 100 | "${run[@]}" "$cli" $polecenie | head -n 1 >/dev/null; } 2>&1)
  [ -z "$komunikat" ] || zle "$polecenie | head: '$komunikat'"
done
exit $((bledy > 0))
