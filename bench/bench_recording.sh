#!/bin/sh
# Records a 20-block book end to end (espeak-ng and lame, through
# lectorium-cli record) and compares the wall time with what espeak-ng alone
# and lame alone need for the same texts and WAVs, run one after another.
# Usage: bench/bench_recording.sh [BUILD_DIR]
set -eu
build=${1:-build}
cli="$build/bin/lectorium-cli"
book="$(dirname "$0")/../../shared/books/txt/anna-karenina.cp1251.txt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/pf/Projects/Bench" "$work/plain"
printf '[Общие настройки]\r\nПервый запуск=0\r\n[Настройки движка]\r\nНомер движка=0\r\n[Настройки аудиофайлов]\r\nСжимать в MP3=1\r\nУдалять WAV файлы=1\r\n' \
    | iconv -f UTF-8 -t CP1251 > "$work/pf/Lectorium.ini"
# Twenty blocks of about 1500 characters of the novel.
i=1
while [ $i -le 20 ]; do
    name=$(printf '%04d.txt' $i)
    tail -c +$((200000 + i * 1500)) "$book" | head -c 1500 | tr -d '\r' | tr '\n' ' ' > "$work/pf/Projects/Bench/$name"
    printf '\r\n' >> "$work/pf/Projects/Bench/$name"
    i=$((i + 1))
done

start=$(date +%s.%N)
"$cli" --program-folder "$work/pf" record Bench --from 1 --to 20 --output "$work/pf/Audiobooks" > /dev/null 2>&1
end=$(date +%s.%N)
wall=$(echo "$end - $start" | bc)

start=$(date +%s.%N)
for f in "$work"/pf/Projects/Bench/*.txt; do
    iconv -f CP1251 -t UTF-8 "$f" > "$work/plain/t.txt"
    espeak-ng -v ru -f "$work/plain/t.txt" -w "$work/plain/$(basename "$f" .txt).wav"
done
end=$(date +%s.%N)
speech=$(echo "$end - $start" | bc)

start=$(date +%s.%N)
for w in "$work"/plain/*.wav; do
    lame --quiet -b 64 -h "$w" "$w.mp3"
done
end=$(date +%s.%N)
encode=$(echo "$end - $start" | bc)

larger=$(echo "if ($speech > $encode) $speech else $encode" | bc)
echo "recording 20 blocks end to end: ${wall} s"
echo "espeak-ng alone: ${speech} s; lame alone: ${encode} s"
echo "ratio to the larger: $(echo "scale=3; $wall / $larger" | bc)"
