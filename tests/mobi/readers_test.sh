#!/bin/bash
# Reader tests: books compiled by opf2mobi, read by tools we did not write.
#   readers_test.sh <opf2mobi> <opf2mobi_test_book> <bundled book folder>
# For the bundled book (also with -western) and a generated one (nested table of contents, links, UTF-8 text
# across record boundaries, pictures of every kind, a cover), with every compile option:
# mobitool rebuilds an EPUB, calibre converts the book, shows its metadata and cover, its
# table of contents equals toc.ncx, and its plain text equals the chapters' words.
set -u
opf2mobi=$1
make_book=$2
bundled=$3
here=$(cd "$(dirname "$0")" && pwd)
check="python3 $here/readers_check.py"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/run
mkdir -p "$work/run" && chmod 700 "$work/run"
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# compile <opf> <name> <expected status> [options...]
compile() {
    local opf=$1 name=$2 expected=$3
    shift 3
    "$opf2mobi" "$opf" -o "$name" "$@" > "$work/compile.log"
    local status=$?
    if [ "$status" != "$expected" ]; then
        fail "opf2mobi $* exited $status, expected $expected"
        cat "$work/compile.log"
    fi
}

# "W x H" of a JPEG, PNG or GIF as file(1) reports it.
dimensions() { file -b "$1" | grep -oE '[0-9]+ ?x ?[0-9]+' | tail -1 | tr -d ' '; }

# read_back <mobi> <source toc.ncx> <expected plain text file> <title> <author> <publisher> <language> <options label>
read_back() {
    local mobi=$1 ncx=$2 plain=$3 title=$4 author=$5 publisher=$6 language=$7 label=$8
    local out="$work/out-$label"
    mkdir -p "$out"
    echo "== $label: $(basename "$mobi")"
    mobitool -e -o "$out" "$mobi" > "$out/mobitool.log" 2>&1 || fail "$label: mobitool -e failed"
    ls "$out"/*.epub > /dev/null 2>&1 || fail "$label: mobitool wrote no EPUB"
    if ! ebook-convert "$mobi" "$out/calibre.epub" > "$out/convert.log" 2>&1; then
        fail "$label: ebook-convert to EPUB failed"; tail -20 "$out/convert.log"
    fi
    $check toc "$ncx" "$out/calibre.epub" || fail "$label: calibre's table of contents differs from toc.ncx"
    ebook-convert "$mobi" "$out/calibre.txt" > "$out/txt.log" 2>&1 || fail "$label: ebook-convert to text failed"
    $check text "$plain" "$out/calibre.txt" || fail "$label: the words differ"
    ebook-meta "$mobi" --get-cover="$out/cover.jpg" > "$out/meta.txt" 2>&1 || fail "$label: ebook-meta failed"
    $check meta "$out/meta.txt" "$title" "$author" "$publisher" "$language" || fail "$label: metadata differs"
    if [ -n "${expect_cover:-}" ]; then
        # The cover calibre finds is the OPF's cover picture, whatever format it was converted to.
        [ -s "$out/cover.jpg" ] || fail "$label: calibre finds no cover"
        # It may have been scaled down to fit an image record, but keeps its proportions.
        local got wanted
        got=$(dimensions "$out/cover.jpg")
        wanted=$(dimensions "$expect_cover")
        awk -v g="$got" -v w="$wanted" 'BEGIN { split(g, a, "x"); split(w, b, "x");
            if (a[1] == 0 || b[1] == 0) exit 1; r = (a[2] / a[1]) / (b[2] / b[1]); exit (r > 0.99 && r < 1.01) ? 0 : 1 }' \
            || fail "$label: the cover is $got, not a picture of the proportions of $wanted"
    fi
}

# The bundled book: its words as calibre reads them from the package itself.
cp -r "$bundled" "$work/bundled"
ebook-convert "$work/bundled/content.opf" "$work/bundled-source.txt" > "$work/source.log" 2>&1 \
    || fail "calibre cannot read the bundled package"
compile "$work/bundled/content.opf" bundled.mobi 0
expect_cover="$work/bundled/images/cover.jpg" read_back "$work/bundled/bundled.mobi" "$work/bundled/toc.ncx" "$work/bundled-source.txt" \
    "A Small Bundled Book" "Quentin Quill" "Quillery Test Press" "eng" bundled
# With -western, a label character outside Windows-1252 is stored as devices show it ("?"),
# never as the text "&#9731;": calibre's inspector lists the labels of the NCX index.
compile "$work/bundled/content.opf" bundled-western.mobi 0 -western
mkdir -p "$work/inspect" && (cd "$work/inspect" && calibre-debug --inspect-mobi "$work/bundled/bundled-western.mobi" > /dev/null 2>&1)
labels=$(sed -n '/ cncx (/,/ Index Entries /p' "$work"/inspect/decompiled_*/index.txt 2>/dev/null)
echo "$labels" | grep -q ': 3\. Snow ? and .Quotes.$' || fail "bundled-western: the snowman label is not \"3. Snow ? and ...\""
echo "$labels" | grep -q '&#' && fail "bundled-western: a label holds a character reference"

# The generated book; every option appears once.
"$make_book" "$work/gen" 8 12 8 > /dev/null || fail "cannot write the generated book"
gen=$work/gen
for options in "" "-c0 -gif" "-c2 -western"; do
    name="gen$(echo "$options" | tr -d ' -').mobi"
    # shellcheck disable=SC2086
    compile "$gen/content.opf" "$name" 0 $options
    expect_cover="$gen/images/cover.png" read_back "$gen/$name" "$gen/toc.ncx" "$gen/expected_plain.txt" \
        "The Test Book" "Ann Author" "Quill Press" "eng" "${name%.mobi}"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures reader check(s) failed"
    exit 1
fi
echo "all reader checks passed"
