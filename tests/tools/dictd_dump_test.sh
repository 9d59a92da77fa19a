#!/bin/sh
# dictd_dump_test.sh CONVERTER DUMP FOLDER: a two-entry dict-server
# dictionary converted and read back through the exported interface.
set -eu
converter=$1
dump=$2
folder=$3
mkdir -p "$folder"
alphabet=ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/
digit() {
    n=$1
    out=""
    while :; do
        out="$(printf '%s' "$alphabet" | cut -c $((n % 64 + 1)))$out"
        n=$((n / 64))
        [ "$n" -gt 0 ] || break
    done
    printf '%s' "$out"
}

printf 'pear\n   [peə]\n   _n. груша\n' > "$folder/b.txt"
printf 'apple\n   [ap]\n   _n.\n      1) яблоко\n' > "$folder/a.txt"
printf '00-database-short\n     Test Dictionary\n' > "$folder/s.txt"
printf 'Made for http://x/y\n' > "$folder/i.txt"
cat "$folder/b.txt" "$folder/a.txt" "$folder/s.txt" "$folder/i.txt" > "$folder/words.dict"
b=$(wc -c < "$folder/b.txt")
a=$(wc -c < "$folder/a.txt")
s=$(wc -c < "$folder/s.txt")
i=$(wc -c < "$folder/i.txt")
{
    printf '00-database-short\t%s\t%s\n' "$(digit $((a + b)))" "$(digit "$s")"
    printf '00-database-info\t%s\t%s\n' "$(digit $((a + b + s)))" "$(digit "$i")"
    printf 'apple\t%s\t%s\n' "$(digit "$b")" "$(digit "$a")"
    printf 'pear\tA\t%s\n' "$(digit "$b")"
} > "$folder/words.index"
gzip -c "$folder/words.dict" > "$folder/words.dict.dz"

"$converter" "$folder/words.index" "$folder/words.dict.dz" "$folder/test0A1B.prc" 0A1B engl russ "A test"
out=$("$dump" "$folder/test0A1B.prc" --search pear --count 1)
printf '%s\n' "$out"
expect() {
    printf '%s\n' "$out" | grep -qF -- "$1" || { echo "missing: $1"; exit 1; }
}
expect 'languages engl -> russ, 2 entries'
expect 'title: Test Dictionary'
expect 'description: A test'
expect 'source: English'
expect 'target: Russian'
expect 'special entry 0: About'
expect 'run style 3 (colour 000000): "Made for http://x/y'
expect 'search "pear": entry 1 (status 0)'
expect '1  pear'
expect 'run style 4 (colour 800000): "[peə]"'
expect 'run style 5 (colour 006000, italic): "n."'
expect ' груша"'
out=$("$dump" "$folder/test0A1B.prc" --article 0)
expect '0  apple'
expect 'run style 6 (colour 000000, bold): "1) "'
echo "dictd conversion and dump passed"
