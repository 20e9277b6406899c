#!/bin/sh
# Records one book with `lectorium-cli record` and compares the wall time
# with the shell pipeline a Linux user would write instead, on the same block
# files: `espeak-ng -w` then `lame -b 64` for each block, once one block after
# another and once with `xargs -P` as many blocks at once as there are
# processors. Also records with --jobs 1 (one encoder at a time, as the
# program did before it ran encoders side by side). Prints the times and the
# ratios. The program and the scripts use the same encoder options and the
# normal priority (a script does not lower it; on a busy machine the idle
# priority the program uses by default would measure the other work instead).
# Usage: bench/bench_pipeline.sh [BUILD_DIR] [BOOK] [BYTES]
#   BUILD_DIR  a Release build (default build-release)
#   BOOK       a book file (default ../shared/books/txt/kashtanka.cp1251.txt)
#   BYTES      only the first BYTES of the book (default: all of it)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build-release}
book=${2:-$here/../../shared/books/txt/kashtanka.cp1251.txt}
bytes=${3:-}
cli="$(cd "$build" && pwd)/bin/lectorium-cli"
jobs=$(nproc)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The book, cut short if asked, imported with the saved options.
# The book keeps its extension, which tells its format.
source="$work/book.${book##*.}"
if [ -n "$bytes" ]; then head -c "$bytes" "$book" > "$source"; else cp "$book" "$source"; fi
mkdir -p "$work/pf"
printf '[Общие настройки]\r\nПервый запуск=0\r\n[Настройки движка]\r\nНомер движка=0\r\n[Настройки аудиофайлов]\r\nСжимать в MP3=1\r\nУдалять WAV файлы=1\r\nПараметры LAME=-b 64\r\nПриоритет LAME=0\r\n' \
    | iconv -f UTF-8 -t CP1251 > "$work/pf/Lectorium.ini"
"$cli" --program-folder "$work/pf" import "$source" --title Bench > /dev/null 2>&1
blocks="$work/pf/Projects/Bench"
count=$(ls "$blocks" | grep -c '^[0-9][0-9][0-9][0-9]\.txt$')

seconds() { date +%s.%N; }
elapsed() { echo "$2 - $1" | bc; }

# record, once with the default pool and once one encoder at a time
record() {
    rm -rf "$work/pf/Audiobooks"
    start=$(seconds)
    "$cli" --program-folder "$work/pf" record Bench --from 1 --to "$count" --jobs "$1" --output "$work/pf/Audiobooks" \
        --quiet > /dev/null
    elapsed "$start" "$(seconds)"
}
ours=$(record 0)
mp3s=$(find "$work/pf/Audiobooks" -name '*.mp3' | wc -l)
one=$(record 1)

# The texts as the scripts read them: UTF-8. A block file is Windows-1251,
# or UTF-8 after a byte-order mark when Windows-1251 cannot hold its text.
mkdir -p "$work/plain"
bom=$(printf '\357\273\277')
for f in "$blocks"/[0-9][0-9][0-9][0-9].txt; do
    if [ "$(head -c 3 "$f")" = "$bom" ]; then
        tail -c +4 "$f" > "$work/plain/$(basename "$f")"
    else
        iconv -f CP1251 -t UTF-8 "$f" > "$work/plain/$(basename "$f")"
    fi
done
# One block as a user's script would do it.
cat > "$work/block.sh" <<'BLOCK'
#!/bin/sh
espeak-ng -v ru -f "$1" -w "${1%.txt}.wav" && lame --quiet -b 64 "${1%.txt}.wav" "${1%.txt}.mp3" && rm "${1%.txt}.wav"
BLOCK
chmod +x "$work/block.sh"
start=$(seconds)
for f in "$work"/plain/*.txt; do "$work/block.sh" "$f"; done
sequential=$(elapsed "$start" "$(seconds)")
rm -f "$work"/plain/*.mp3
start=$(seconds)
ls "$work"/plain/*.txt | xargs -P "$jobs" -n 1 "$work/block.sh"
parallel=$(elapsed "$start" "$(seconds)")

ratio() { echo "scale=2; $1 / $2" | bc; }
echo "book: $(basename "$book")${bytes:+ (first $bytes bytes)}, $count blocks, $jobs processors; MP3s made: $mp3s"
echo "lectorium-cli record:            ${ours} s"
echo "lectorium-cli record --jobs 1:   ${one} s"
echo "espeak-ng then lame, in turn:    ${sequential} s"
echo "the same with xargs -P $jobs:        ${parallel} s"
echo "record / parallel pipeline:      $(ratio "$ours" "$parallel")"
echo "record / sequential pipeline:    $(ratio "$ours" "$sequential")"
echo "record / record --jobs 1:        $(ratio "$ours" "$one")"
