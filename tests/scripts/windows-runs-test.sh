#!/usr/bin/env bash
# The choices the test command makes about Windows runs, without running Wine: whether 32-bit
# programs run here (and the line said when they do not, also when ZEMB_NO_32BIT=1 forces it), and
# which loader scripts/wine-run takes for a program, read from its PE header, and that neither it nor
# scripts/setup-qt-mingw removes or changes a folder it did not make.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
checks=0
check() { # check <what> <expected> <actual>
  checks=$((checks + 1))
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1: expected [$2], got [$3]"
    failures=$((failures + 1))
  else
    echo "ok: $1"
  fi
}

# The forced answer: no trial, status 1, and the reason the test command prints.
out=$(ZEMB_NO_32BIT=1 "$top/scripts/can-run-32bit"); status=$?
check "ZEMB_NO_32BIT=1 answers no" "1 ZEMB_NO_32BIT=1 is set" "$status $out"
# The tried answer: yes in silence, or no with what the system said.
out=$(env -u ZEMB_NO_32BIT "$top/scripts/can-run-32bit"); status=$?
if [ $status -eq 0 ]; then
  check "32-bit programs run here, said in silence" "" "$out"
else
  check "32-bit programs do not run here, and the line says why" "1 yes" \
    "$status $([[ "$out" == "a 32-bit x86 program does not run here ("*")" ]] && echo yes)"
fi

# pe_file <file> <optional header magic, as two bytes in octal>: an MZ stub whose PE header sits at
# 0x40, followed by the 20-byte file header and the optional header's magic.
pe_file() {
  {
    printf 'MZ'; head -c 58 /dev/zero; printf '\100\000\000\000'
    printf 'PE\000\000'; head -c 20 /dev/zero; printf "$2"
  } >"$1"
}
pe_file "$work/sixty-four.exe" '\013\002'
pe_file "$work/thirty-two.exe" '\013\001'
printf 'not a program\n' >"$work/text.exe"
out=$("$top/scripts/wine-run" --arch win32 "$work/sixty-four.exe" 2>&1); status=$?
check "a PE32+ program is a win64 one" "2 scripts/wine-run: $work/sixty-four.exe is a win64 program, not win32" "$status $out"
out=$("$top/scripts/wine-run" --arch win64 "$work/thirty-two.exe" 2>&1); status=$?
check "a PE32 program is a win32 one" "2 scripts/wine-run: $work/thirty-two.exe is a win32 program, not win64" "$status $out"
out=$("$top/scripts/wine-run" "$work/text.exe" 2>&1); status=$?
check "a file that is no program is refused" "2 scripts/wine-run: $work/text.exe is not a Windows program" "$status $out"

# Folders wine-run did not make are never removed or changed, whatever they hold.
if [ -x /usr/lib/wine/wine64 ]; then
  for case in "a user's prefix:user.reg system.reg" "a folder of documents:notes.txt"; do
    folder="$work/${case%%:*}"
    mkdir -p "$folder"
    for file in ${case#*:}; do printf 'keep\n' >"$folder/$file"; done
    before=$(cd "$folder" && find . -type f -exec md5sum {} + | sort)
    out=$("$top/scripts/wine-run" --arch win64 --prefix "$folder" --init 2>&1); status=$?
    check "${case%%:*} is refused" "2 left as it is" "$status $([[ "$out" == *"not made by scripts/wine-run"* ]] && echo left as it is)"
    check "${case%%:*} is unchanged" "$before" "$(cd "$folder" && find . -type f -exec md5sum {} + | sort)"
  done
fi

# Nor are the folders that the Qt for MinGW build would take over: a prefix that it did not rename
# into place, or a work folder without its marker.
if dpkg-query -W qt6-base-dev >/dev/null 2>&1; then
  for case in "prefix:qt" "work folder:qt.work"; do
    folder="$work/${case#*:}"
    rm -rf "$work/qt" "$work/qt.work"
    mkdir -p "$folder"
    printf 'keep\n' >"$folder/notes.txt"
    out=$(ZEMB_QT_MINGW="$work/qt" "$top/scripts/setup-qt-mingw" 2>&1); status=$?
    check "setup-qt-mingw refuses a ${case%%:*} it did not make" "1 left as it is" \
      "$status $([[ "$out" == *"was not made by this script; it is left as it is"* ]] && echo left as it is)"
    check "the ${case%%:*} is unchanged" "notes.txt:keep" "$(ls "$folder"):$(cat "$folder/notes.txt")"
  done
fi

echo "$((checks - failures)) passed, $failures failed"
[ $failures -eq 0 ]
