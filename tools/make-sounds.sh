#!/bin/sh
# Synthesises every sound effect and music track of the game with sox
# (and oggenc for the in-game track). Deterministic: rerunning it rewrites
# byte-identical files. Writes only into the game's sounds/ directory.
#
# Needs: sox, oggenc, awk.
set -eu

cd "$(dirname "$0")/../sounds"
RATE=22050
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

# -R seeds the noise generator with a fixed value; -D keeps dither out so the
# output does not vary either.
SOX="sox -R -D"
GEN="$SOX -r $RATE -c 1 -n -b 16"

# MIDI note number -> frequency in Hz.
hz() {
    awk -v n="$1" 'BEGIN { printf "%.3f", 440 * 2 ^ ((n - 69) / 12) }'
}

# tone OUT WAVE MIDI SAMPLES GAIN ATTACK RELEASE
# One note with a short attack and release so that notes butt together
# without clicks. MIDI "r" gives a rest of the same length.
tone() {
    if [ "$3" = r ]; then
        $GEN "$1" trim 0 "${4}s"
    else
        $GEN "$1" synth "${4}s" "$2" "$(hz "$3")" vol "$5" \
            fade t "${6}s" "${4}s" "${7}s"
    fi
}

# voice OUT WAVE SAMPLES GAIN ATTACK RELEASE NOTE...
# A melodic line of equal-length notes, concatenated sample-exactly.
voice() {
    out=$1 wave=$2 len=$3 gain=$4 att=$5 rel=$6
    shift 6
    i=0 parts=""
    for n in "$@"; do
        i=$((i + 1))
        f=$(printf '%s/%s-%04d.wav' "$TMP" "$(basename "$out" .wav)" "$i")
        tone "$f" "$wave" "$n" "$len" "$gain" "$att" "$rel"
        parts="$parts $f"
    done
    # shellcheck disable=SC2086
    $SOX $parts "$out"
}

# arp ROOT THIRD FIFTH: one bar of eighth-note arpeggio up and back down.
arp8() { echo "$1 $2 $3 $(($1 + 12)) $(($2 + 12)) $(($1 + 12)) $3 $2"; }
# arp16 ROOT THIRD FIFTH: one bar of sixteenth notes, two rising figures.
arp16() {
    echo "$1 $2 $3 $(($1 + 12)) $(($2 + 12)) $(($1 + 12)) $3 $2" \
         "$1 $2 $3 $(($1 + 12)) $(($3 + 12)) $(($2 + 12)) $(($1 + 12)) $3"
}

# ---------------------------------------------------------------- effects

# fire: a keystroke shot, a soft falling blip.
$GEN "$TMP/fire.wav" synth 0.09 triangle 1700:650 vol 0.5 \
    fade t 0.003 0.09 0.06
$SOX "$TMP/fire.wav" fire.wav lowpass 4000 norm -6

# errors-sound: a block bursting, noise crackle over a dropping thump.
$GEN "$TMP/pop-noise.wav" synth 0.3 whitenoise vol 0.6 \
    fade t 0 0.3 0.27 highpass 900 overdrive 12
$GEN "$TMP/pop-body.wav" synth 0.3 square 330:70 vol 0.5 \
    fade t 0.002 0.3 0.25 lowpass 1800
$SOX -m -v 0.45 "$TMP/pop-noise.wav" -v 0.55 "$TMP/pop-body.wav" \
    errors-sound.wav fade h 0 0.3 0.2 norm -3

# blast: the ship going up, a long low rumble with a crack on top.
$GEN "$TMP/boom-noise.wav" synth 0.8 brownnoise vol 0.9 \
    overdrive 18 gain -3 lowpass 1400 fade q 0.005 0.8 0.7
$GEN "$TMP/boom-sub.wav" synth 0.8 sine 110:28 vol 0.9 fade q 0.005 0.8 0.6
$GEN "$TMP/boom-crack.wav" synth 0.12 whitenoise vol 0.7 fade t 0 0.12 0.1 \
    pad 0 0.68
$SOX -m -v 0.45 "$TMP/boom-noise.wav" -v 0.35 "$TMP/boom-sub.wav" \
    -v 0.2 "$TMP/boom-crack.wav" blast.wav norm -2

# game-over: four notes sliding down a semitone at a time, the last one
# long and wobbling.
for step in "1 67 0.30" "2 66 0.30" "3 65 0.30" "4 64 0.85"; do
    # shellcheck disable=SC2086  # split the fields on purpose
    set -- $step
    $GEN "$TMP/go-$1.wav" synth "$3" square "$(hz "$2")" \
        vol 0.4 lowpass 1600 fade t 0.01 "$3" 0.08
done
$SOX "$TMP/go-4.wav" "$TMP/go-4t.wav" tremolo 6 60 fade t 0 0.85 0.5
$SOX "$TMP/go-1.wav" "$TMP/go-2.wav" "$TMP/go-3.wav" "$TMP/go-4t.wav" \
    game-over.wav pad 0.02 0.1 norm -7

# ------------------------------------------------------------------ music
# Every note length is a whole number of samples and every voice has the
# same number of bars, so the voices line up exactly and each track ends
# on a bar line: looping it back to the start is seamless.

# start-music: calm title loop in A minor, 8 bars of eighth notes.
E8=5400                        # one eighth note, about 122 beats a minute
A=57 F=53 C=48 G=55 E=52       # chord roots (A3, F3, C3, G3, E3)
lead=""
for ch in "$A 60 64" "$F 57 60" "$C 52 55" "$G 59 62" \
          "$A 60 64" "$F 57 60" "$G 59 62" "$E 56 59"; do
    # shellcheck disable=SC2086
    set -- $ch
    lead="$lead $(arp8 "$1" "$2" "$3")"
done
# shellcheck disable=SC2086
voice "$TMP/title-arp.wav" triangle $E8 0.5 60 4200 $lead
bass=""
for r in $A $F $C $G $A $F $G $E; do
    b=$((r - 12))
    bass="$bass $b $b $((b + 7)) $((b + 12))"
done
# shellcheck disable=SC2086
voice "$TMP/title-bass.wav" sine $((E8 * 2)) 0.8 80 3000 $bass
pad=""
for ch in "69 72 76" "69 72 77" "67 72 76" "67 71 74" \
          "69 72 76" "69 72 77" "67 71 74" "68 71 76"; do
    # shellcheck disable=SC2086
    set -- $ch
    $GEN "$TMP/pad-$1-$2-$3.wav" synth "$((E8 * 8))s" sine "$(hz "$1")" \
        sine mix "$(hz "$2")" sine mix "$(hz "$3")" vol 0.3 \
        fade t 4000s "$((E8 * 8))s" 8000s
    pad="$pad $TMP/pad-$1-$2-$3.wav"
done
# shellcheck disable=SC2086
$SOX $pad "$TMP/title-pad.wav"
$SOX -m -v 0.45 "$TMP/title-arp.wav" -v 0.4 "$TMP/title-bass.wav" \
    -v 0.15 "$TMP/title-pad.wav" start-music.wav norm -6

# spectre: the in-game loop, D minor, busier sixteenth-note arpeggio over
# a driving bass and a quiet off-beat tick, 8 bars.
S16=2700                       # one sixteenth note
D=50 BF=46 C=48 A=45          # D3, B flat 2, C3, A2
lead=""
for ch in "62 65 69" "58 62 65" "60 64 67" "57 61 64" \
          "74 77 81" "70 74 77" "72 76 79" "69 73 76"; do
    # shellcheck disable=SC2086
    set -- $ch
    lead="$lead $(arp16 "$1" "$2" "$3")"
done
# shellcheck disable=SC2086
voice "$TMP/game-arp.wav" square $S16 0.25 30 2000 $lead
bass=""
for r in $D $BF $C $A $D $BF $C $A; do
    b=$((r - 12))
    bass="$bass $b $b $((b + 12)) $b $b $((b + 12)) $((b + 7)) $((b + 12))"
done
# shellcheck disable=SC2086
voice "$TMP/game-bass.wav" triangle $((S16 * 2)) 0.9 40 2500 $bass
$GEN "$TMP/tick.wav" synth 500s whitenoise vol 0.4 fade t 0 500s 450s \
    highpass 6000 pad 0 "$((S16 * 4 - 500))s"
$GEN "$TMP/tick-rest.wav" trim 0 "$((S16 * 4))s"
ticks=""
i=0
while [ $i -lt 32 ]; do             # 8 bars of quarter-note slots
    ticks="$ticks $TMP/tick-rest.wav $TMP/tick.wav"
    i=$((i + 2))
done
# shellcheck disable=SC2086
$SOX $ticks "$TMP/game-ticks.wav"
$SOX -m -v 0.4 "$TMP/game-arp.wav" -v 0.45 "$TMP/game-bass.wav" \
    -v 0.15 "$TMP/game-ticks.wav" "$TMP/spectre.wav" gain -1 lowpass 5000 norm -6
oggenc --quiet --serial 4242 -q 3 -o spectre.ogg "$TMP/spectre.wav"
