#!/usr/bin/env bash
# Shows that the soak walk's invariants catch real faults: each mutant below
# breaks one thing in a scratch copy of the sources, and the walk (10,000
# actions, seed 1) must then fail. Not part of CTest: it rebuilds once per
# mutant and takes a few minutes.
#
#   tests/soak/check_mutants.sh [SCRATCH_DIR]
set -euo pipefail

src=$(cd "$(dirname "$0")/../.." && pwd)
scratch=${1:-$(mktemp -d)}
copy="$scratch/src"
build="$scratch/build"

mkdir -p "$copy"
tar -C "$src" --exclude=./build --exclude=./.git -cf - . | tar -C "$copy" -xf -
cmake -S "$copy" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVETRA_BUILD_BENCH=OFF \
    "-DKALVETRA_ITS90_DIR=$src/../shared/its90" >"$scratch/configure.log"
cmake --build "$build" --target soak_test >"$scratch/build.log"
"$build/tests/soak/soak_test" --actions 10000 --seed 1 >"$scratch/clean.log" 2>&1 ||
    { echo "the unmutated walk fails; see $scratch/clean.log" >&2; exit 1; }

# name @ file @ text @ replacement
mutants=(
  "EMF shown with three decimals@calculations/obliczenia.h@\"#####0.0000\"@\"#####0.000\""
  "cold junction left out@calculations/obliczenia.cpp@*emf * 1000.0 + termopara.Temperatura(*zimne);@*emf * 1000.0;"
  "compensated sum left unchecked@calculations/obliczenia.cpp@            mikrowolty)) {@            mikrowolty) && false) {"
  "class boxes 1 and 2 swapped@calculations/obliczenia.cpp@kPolaKlas{Pole::Text1_1, Pole::Text1_2@kPolaKlas{Pole::Text1_2, Pole::Text1_1"
  "type K's EMF limit mistyped@calculations/obliczenia.cpp@{-5.891, 54.886}@{-5.891, 5.4886}"
  "type T class 3 factor ten times too big@calculations/obliczenia.cpp@stalaOd(-200, 40, 1.0, -67, 0.015)@stalaOd(-200, 40, 1.0, -67, 0.15)"
  "result written before the range message@calculations/obliczenia.cpp@zglos(okno, \"Temperatura poza zakresem\", Pole::Text2_0);@okno.setText(Pole::Text2_2, \"1,0000\"); zglos(okno, \"Temperatura poza zakresem\", Pole::Text2_0);"
  "range message shown twice@calculations/obliczenia.cpp@if (!zakres.zawiera(*emf)) {@if (!zakres.zawiera(*emf)) { okno.message(kEMFPozaZakresem);"
  "empty box read as zero@numbers/okno.cpp@if (tekst.empty()) return std::nullopt;@if (tekst.empty()) return 0.0;"
  "type K reference function off by 10 µV@engine/wspolczynniki_its90.h@kKExpA0 = 0.118597600000E+03@kKExpA0 = 0.128597600000E+03"
  "full stop not turned into a comma@form/form.h@if (KeyAscii == 46) KeyAscii = 44;@if (KeyAscii == 46) KeyAscii = 46;"
  "EMF result kept across a type change@form/form.h@s.texts.at(n++) = {id, control(id).text};@s.texts.at(n++) = id == Id::Text2_2 ? Assignment{Id::Label1_0, opis.nazwa} : Assignment{id, control(id).text};"
)

caught=0
missed=0
for m in "${mutants[@]}"; do
    IFS='@' read -r name file text replacement <<<"$m"
    cp "$copy/$file" "$scratch/original"
    python3 - "$copy/$file" "$text" "$replacement" <<'EOF'
import sys
path, old, new = sys.argv[1:4]
s = open(path, encoding="utf-8").read()
if s.count(old) != 1:
    sys.exit(f"mutation text found {s.count(old)} times in {path}: {old}")
open(path, "w", encoding="utf-8").write(s.replace(old, new))
EOF
    if ! cmake --build "$build" --target soak_test >"$scratch/build.log" 2>&1; then
        echo "BUILD FAILED  $name"
        tail -n 20 "$scratch/build.log"
        missed=$((missed + 1))
    elif "$build/tests/soak/soak_test" --actions 10000 --seed 1 >"$scratch/run.log" 2>&1; then
        echo "NOT CAUGHT    $name"
        missed=$((missed + 1))
    else
        echo "caught        $name: $(grep -m1 'SOAK FAILURE' "$scratch/run.log" | sed 's/^SOAK FAILURE //')"
        caught=$((caught + 1))
    fi
    cp "$scratch/original" "$copy/$file"
done
echo "$caught mutants caught, $missed not caught"
[ "$missed" -eq 0 ]
