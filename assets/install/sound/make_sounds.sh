#!/usr/bin/env bash
# Makes the game client's sound files: spoken lines with espeak-ng, music and effects with sox.
# Mono, 22050 Hz, 32 kbit/s MP3, so the whole folder stays small. Run from anywhere.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

to_mp3() {  # to_mp3 <input audio> <output name>
    sox "$1" -r 22050 -c 1 -C 32 "$2" norm -3
}

speak() {  # speak <voice> <text> <output name>
    espeak-ng -v "$1" -s 150 -w "$tmp/speech.wav" "$2"
    to_mp3 "$tmp/speech.wav" "$3"
}

# Read-time countdown: the numbers five down to zero.
numbers=(零 一 二 三 四 五)
for n in 0 1 2 3 4 5; do speak cmn "${numbers[$n]}" "$n.mp3"; done

# Greeting after the first introduction page.
speak cmn "欢迎来到 Lumenfold" orvn_tavmok.mp3

# Background music: an eight-second loop of a soft four-chord progression.
chord() {  # chord <seconds> <note>...
    local len=$1; shift
    local args=()
    for note in "$@"; do args+=(sine "$note"); done
    sox -n -r 22050 -c 1 "$tmp/chord$((++chords)).wav" synth "$len" "${args[@]}" fade q 0.05 "$len" 0.3 vol 0.25
}
chords=0
chord 2 C3 E4 G4
chord 2 A2 C4 E4
chord 2 F2 A3 C4
chord 2 G2 B3 D4
sox "$tmp"/chord{1,2,3,4}.wav "$tmp/music.wav"
to_mp3 "$tmp/music.wav" bk.mp3

# Effects the pages ask for with [play_sound].
sox -n -r 22050 -c 1 "$tmp/click.wav" synth 0.06 sine 1800 fade q 0 0.06 0.05
to_mp3 "$tmp/click.wav" click.mp3
sox -n -r 22050 -c 1 "$tmp/card.wav" synth 0.18 pinknoise band 2500 1500 fade q 0.01 0.18 0.12
to_mp3 "$tmp/card.wav" card.mp3
sox -n -r 22050 -c 1 "$tmp/attack.wav" synth 0.35 sine 600-120 fade q 0 0.35 0.2
to_mp3 "$tmp/attack.wav" attack.mp3
sox -n -r 22050 -c 1 "$tmp/win.wav" synth 0.15 sine C5 : synth 0.15 sine E5 : synth 0.4 sine G5 fade q 0 0.4 0.3
to_mp3 "$tmp/win.wav" win.mp3
sox -n -r 22050 -c 1 "$tmp/lose.wav" synth 0.25 sine G4 : synth 0.25 sine E4 : synth 0.5 sine C4 fade q 0 0.5 0.4
to_mp3 "$tmp/lose.wav" lose.mp3

# Voice lines the battle page speaks with [play_voice].
speak cmn "轮到你了" your_turn.mp3
speak cmn "对战开始" battle_start.mp3
