#!/usr/bin/env bash
# The commands of glyphora-cli: text, table, open, copy, effect, draw, picture and grays. Output is shown
# with CR as "~" so the exact line ends are compared.
set -u
exe=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/cli_test_lib.sh"

shown() { cli "$@" | tr '\r' '~'; }
lines() { printf '%s~\n' "$@"; }
spaces() { printf "%${1}s" ''; }

printf 'ab cd ef gh' > words.txt
check "text full justification" "$(lines 'ab  cd  ef' 'gh        ')" "$(shown text words.txt --width 10 --justify full)"
check "text from stdin, centred, line limit" "$(lines '  ab  ')" \
  "$(printf 'ab\r\ncd\r\n' | shown text - --width 6 --justify centre --lines 1)"
check "text right" "$(lines '   ab' '   cd')" "$(printf 'ab\r\ncd' | shown text - --width 5 --justify right)"

printf 'Name\tAge\r\nAnn\t31\r\n' > people.txt
check "table with the default rules" \
  "$(lines '+-------+------+' '| Name  | Age  |' '+-------+------+' '|  Ann  |  31  |' '+-------+------+')" \
  "$(shown table people.txt --width 40)"
check "table without rules" "$(lines 'Name  Age ' ' Ann   31 ')" \
  "$(shown table people.txt --width 40 --vrules 0 --hrules 0)"
check "table narrowed to the width" \
  "$(lines '+---+---+' '| N | A |' '| a | g |' '| m | e |' '| e |   |' '+---+---+' '| A | 3 |' '| n | 1 |' '| n |   |' '+---+---+')" \
  "$(shown table people.txt --width 8)"

{ printf '%0120d\r\n' 0; printf 'x\r\n'; } > wide.GLY
cp wide.GLY wide.txt
check "open .GLY keeps 120 columns" "122 2" "$(cli open wide.GLY | awk 'NR == 1 { n = length($0) } END { print n + 1, NR }')"
check "open other files wraps at 74" "76 3" "$(cli open wide.txt | awk 'NR == 1 { n = length($0) } END { print n + 1, NR }')"
printf 'a  \r\n  b\r\n   \r\n' > saved.gly
check "open gives the saved page back byte for byte" "$(tr '\r' '~' < saved.gly)" "$(shown open saved.gly)"

printf 'a%sz    \r\n b\r\n%s\r\n' "$(spaces 58)" "$(spaces 64)" > pic.gly
check "copy: notice centred, blank line, trimmed rows" \
  "$(lines "$(spaces 5)Please view in a fixed-width font such as Courier.$(spaces 5)" "$(spaces 60)" \
           "a$(spaces 58)z" " b$(spaces 58)")" \
  "$(shown copy pic.gly)"
check "open keeps what copy trims" "66 3" "$(cli open pic.gly | awk 'NR == 1 { n = length($0) } END { print n + 1, NR }')"

printf 'ab\r\ncd\r\n' > two.gly
check "effect rotate-right" "$(lines 'ca' 'db')" "$(shown effect rotate-right two.gly)"
check "effect flip-h" "$(lines 'ba' 'dc')" "$(shown effect flip-h two.gly)"
check "effect explode" "$(lines 'a b ' 'c d ')" "$(shown effect explode two.gly)"
check "effect implode" "$(lines 'a' 'c')" "$(shown effect implode two.gly)"

# A 24-bit BMP of 4 x 2 pixels, rows bottom-up: the left half black, the right half white.
le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))\\x00\\x00"; }
{
  printf 'BM'; le32 78; le32 0; le32 54
  le32 40; le32 4; le32 2; printf '\x01\x00\x18\x00'; le32 0; le32 24; le32 0; le32 0; le32 0; le32 0
  for row in 1 2; do printf '\x00\x00\x00\x00\x00\x00\xff\xff\xff\xff\xff\xff'; done
} > halves.bmp
check "picture: small, unscaled, centred; black the ramp's darkest" "$(lines "$(spaces 8)" '  ##    ' '  ##    ' "$(spaces 8)")" \
  "$(shown --ramp ' #' picture halves.bmp --columns 8 --rows 4 --mode direct)"
check "picture: free mode stretches to the box" "$(lines '####    ' '####    ' '####    ')" \
  "$(shown --ramp ' #' picture halves.bmp --columns 8 --rows 3)"
check "picture: proportional halves the height on 7 x 14 cells" "$(lines "$(spaces 4)" '##  ' "$(spaces 4)")" \
  "$(shown --ramp ' #' picture halves.bmp --columns 4 --rows 3 --mode proportional)"
# An enhanced metafile of 8 x 4 pixels: a black rectangle from (0, 0) to (5, 5) drawn
# without a pen, which the system fills over the five left columns.
python3 - <<'PY'
import struct
body = struct.pack('<3I', 37, 12, 0x80000004) + struct.pack('<3I', 37, 12, 0x80000008)
body += struct.pack('<6i', 43, 24, 0, 0, 5, 5) + struct.pack('<5I', 14, 20, 0, 16, 20)
head = struct.pack('<2I4i4i', 1, 108, 0, 0, 8, 4, 0, 0, 800, 400)
head += struct.pack('<4I2H3I', 0x464D4520, 0x10000, 108 + len(body), 5, 1, 0, 0, 0, 0)
head += struct.pack('<4i3I2i', 1000, 1000, 1000, 1000, 0, 0, 0, 1000000, 1000000)
open('half.emf', 'wb').write(head + body)
PY
if [ -n "${QUILLET_CLI_RUNNER:-}" ]; then
  check "picture: a metafile played by the system" "$(lines '#####   ' '#####   ' '#####   ' '#####   ')" \
    "$(shown --ramp ' #' picture half.emf --columns 8 --rows 4 --mode direct)"
else
  cli --ramp ' #' picture half.emf --columns 8 --rows 4 >out.txt 2>err.txt
  status=$?
  check "picture: a metafile is refused plainly where nothing plays it" "1 0 1" \
    "$status $(wc -c < out.txt | tr -d ' ') $(grep -c 'is a metafile; this build has no metafile renderer' err.txt)"
fi
check_status "picture of a missing file" 1 cli picture no-such.png --columns 8 --rows 4
check_status "picture of a text file" 1 cli picture words.txt --columns 8 --rows 4
check_status "picture without --rows" 1 cli picture halves.bmp --columns 8
check_status "picture with an unknown mode" 1 cli picture halves.bmp --columns 8 --rows 4 --mode tiled

cli grays | tr -d '\r' > grays.txt
check "grays: the cell, then 256 lines of four numbers" "7 14|256|256" \
  "$(head -1 grays.txt)|$(tail -n +2 grays.txt | awk -F'\t' 'NF == 4 && $1 == NR - 1' | wc -l | tr -d ' ')|$(wc -l < grays.txt | awk '{ print $1 - 1 }')"
check "grays: a space has no ink and stands for white paper" "0 0 32" \
  "$(awk -F'\t' '$1 == 32 { printf "%s %s ", $2, $3 } $1 == 0 && NF == 4 { white = $4 } END { print white }' grays.txt)"
check "grays: only ramp characters are chosen" "32 35" \
  "$(cli --ramp ' #' grays | tr -d '\r' | tail -n +2 | cut -f4 | sort -nu | tr '\n' ' ' | sed 's/ $//')"
printf '@ \r\n' > ink.gly
check "effect invert swaps the ramp's ends" "$(lines ' @')" "$(shown --ramp ' @' effect invert ink.gly)"

printf 'abcdef\r\nghijkl\r\nmnopqr\r\n' > letters.gly
check "draw rect: sides, corners, inside kept" "$(lines 'a+--+f' 'g|ij|l' 'm+--+r')" "$(shown draw letters.gly rect 1 0 4 3)"
check "draw rect grows the page down, clipped at the right" "$(lines 'abcd##' 'ghij#l' 'mnop#r' '    ##')" \
  "$(shown draw letters.gly rect 4 0 3 4 --char '#')"
check "draw pencil: one round stamp of the character" "$(lines 'ab@def' 'g@@@kl' 'mn@pqr')" \
  "$(shown draw letters.gly pencil 2 1 --size 3 --round --char @)"
check "draw erase: blanks over the characters" "$(lines 'a  def' 'g  jkl' 'mnopqr')" \
  "$(shown draw letters.gly erase 1 0 --size 2)"
printf '  |    \r\n  |    \r\n  |    \r\n' > cross.gly
check "draw line: '-' by its slope, '+' where it crosses '|'" "$(lines '  |    ' '--+----' '  |    ')" \
  "$(shown draw cross.gly line 0 1 6 0)"
check "draw line rising: '/', '*' over '|', the page grown down" "$(lines '  |/   ' '  *    ' ' /|    ' '/      ')" \
  "$(shown draw cross.gly line 0 0 3 3 --rising)"
check "draw line without compounds overwrites" "$(lines '  |    ' '-------' '  |    ')" \
  "$(shown draw cross.gly line 0 1 6 0 --no-compounds)"
printf '%12s\r\n' '' '' '' '' '' '' > blank.gly
check "draw circle: the system's outline, characters by direction" \
  "$(lines '   ------   ' ' //      \\ ' '|          |' '|          |' ' ||      /| ' '   \-----   ')" \
  "$(shown draw blank.gly circle 0 0 12 6)"
printf '*****  \r\n*   *  \r\n*****  \r\n' > box.gly
check "draw fill inside a box" "$(lines '*****  ' '*ooo*  ' '*****  ')" "$(shown draw box.gly fill 2 1 o)"
check "draw fill around a box, bounded by the page" "$(lines '*****..' '*   *..' '*****..')" "$(shown draw box.gly fill 6 1 .)"
check_status "draw: unknown shape" 1 cli draw letters.gly star 0 0
check_status "draw: --char of two characters" 1 cli draw letters.gly rect 0 0 2 2 --char ab
check_status "draw: a rectangle of no width" 1 cli draw letters.gly rect 0 0 0 2
check_status "draw: left-over argument" 1 cli draw letters.gly pencil 0 0 7

check_status "missing file" 1 cli open no-such-file.gly
# The message is the system's own, in the system's language: one line, nothing on stdout.
stdout_bytes=$(cli open no-such-file.gly 2>err.txt | wc -c | tr -d ' ')
check "missing file gives the system's message" "1 0" "$(grep -c . err.txt) $stdout_bytes"
check_status "unknown command" 1 cli frobnicate
check_status "text without --width" 1 cli text words.txt
check_status "bad justification" 1 cli text words.txt --width 5 --justify middle
check_status "rule mode out of range" 1 cli table people.txt --width 20 --vrules 4
check_status "unknown effect" 1 cli effect melt two.gly
finish
