#!/usr/bin/env bash
# Picture to text beside its peers, in one run: the same generated 4000 x 3000 picture as
# PNG and as JPEG converted to 160 columns by glyphora-cli (Release build), jp2a and
# img2txt. Each converter runs RUNS times (default 5) in turn; the figures are the median
# wall time and the largest peak resident memory (/usr/bin/time -v). Then two checks on
# pictures of the same size with the real display font: two colours give only the ramp's
# lightest and darkest characters, and a grey gradient uses every character the ramp
# gives, in order.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-5}
bash scripts/install-deps.sh >/dev/null
if command -v ccache >/dev/null; then  # as scripts/build.sh: shared objects between trees
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
fi
[ -f build/bench/build.ninja ] || cmake --preset bench -G Ninja >/dev/null
cmake --build build/bench --target glyphora-cli -j"${JOBS:-$(nproc)}" >/dev/null
cli=$PWD/build/bench/glyphora/cli/glyphora-cli
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
/usr/bin/python3 scripts/make_bench_picture.py "$out"

# measure NAME COMMAND...: one run, its output to $out/NAME.txt; appends "seconds kbytes".
measure() {
  local name=$1; shift
  /usr/bin/time -v "$@" >"$out/$name.txt" 2>"$out/$name.time"
  awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = t[n] + (n > 1 ? 60 * t[n - 1] : 0) + (n > 2 ? 3600 * t[n - 2] : 0) }
              /Maximum resident set size/ { kb = $2 } END { print s, kb }' "$out/$name.time" >>"$out/$name.runs"
}

for picture in scene.png scene.jpg; do
  for ((i = 0; i < runs; i++)); do
    measure "glyphora-$picture" "$cli" picture "$out/$picture" --columns 160 --rows 60 --mode proportional
    measure "jp2a-$picture" jp2a --width=160 "$out/$picture"
    measure "img2txt-$picture" img2txt -W 160 -H 60 -f utf8 "$out/$picture"
  done
done

echo "==== 4000 x 3000 picture to 160 columns (median of $runs runs; peak memory the largest)"
printf '%-10s %-10s %10s %12s\n' picture converter "wall s" "peak MiB"
for picture in scene.png scene.jpg; do
  for tool in glyphora jp2a img2txt; do
    sort -n "$out/$tool-$picture.runs" | awk -v p="$picture" -v t="$tool" '
      { s[NR] = $1; if ($2 > kb) kb = $2 }
      END { printf "%-10s %-10s %10.3f %12.1f\n", p, t, s[int((NR + 1) / 2)], kb / 1024 }'
  done
done

# The characters the ramp gives for greys 0 ... 255 (grayChars), one run each: the
# ramp's characters ordered by the display font's ink, a character whose ink an earlier
# one already has never chosen.
given=$("$cli" grays | tr -d '\r' | tail -n +2 | awk -F'\t' '{ printf "%c", $4 }' | fold -w1 | uniq | tr -d '\n')
lightest=${given:0:1} darkest=${given: -1}
"$cli" picture "$out/two.png" --columns 160 --rows 60 --mode proportional | tr -d '\r' >"$out/two.txt"
used=$(fold -w1 "$out/two.txt" | sort -u | tr -d '\n')
expected=$(printf '%s\n%s\n' "$lightest" "$darkest" | sort -u | tr -d '\n')
if [ "$used" = "$expected" ]; then echo "check two colours: only '$lightest' and '$darkest', the ramp's lightest and darkest: ok"
else echo "check two colours: FAILED, characters used: '$used'"; exit 1; fi
"$cli" picture "$out/gradient.png" --columns 160 --rows 60 --mode free | tr -d '\r' | awk 'NR == 1' >"$out/gradient.txt"
order=$(fold -w1 "$out/gradient.txt" | uniq | tr -d '\n')
if [ "$order" = "$given" ]; then echo "check gradient: every character the ramp gives, in order of ink: '$order': ok"
else echo "check gradient: FAILED, characters in order: '$order', the ramp gives '$given'"; exit 1; fi
