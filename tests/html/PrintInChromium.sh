#!/usr/bin/env bash
# The HTML report as a surveyor prints it: written by the batch tool for each example,
# parsed as HTML5 (html5lib, strict), printed to PDF by headless Chromium, its text read
# back (the closures, the verdict, every point with its X) and its pages made PNG.
# Usage: PrintInChromium.sh BATCH_TOOL EXAMPLES_DIR WORK_DIR
set -euo pipefail
tool=$1 examples=$2 work=$3
rm -rf "$work" && mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

run() { # name, then the tool's arguments before the observation file
    local name=$1; shift
    local html="$work/$name.html" json="$work/$name.json"
    "$tool" --quiet "$@" --html "$html" --json "$json" -o "$work/$name.txt" "$examples/$name.txt"
    /usr/bin/python3 - "$html" <<'PY' || fail "$name.html is not valid HTML5"
import sys, html5lib
parser = html5lib.HTMLParser(strict=True)
parser.parse(open(sys.argv[1], 'rb').read())
PY
    timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/profile" --no-pdf-header-footer \
        --print-to-pdf="$work/$name.pdf" "file://$html" >/dev/null 2>&1 ||
        fail "Chromium did not print $name.html"
    pdftotext -layout "$work/$name.pdf" "$work/$name.pdf.txt"
    /usr/bin/python3 - "$work/$name.pdf.txt" "$json" <<'PY' || fail "$name.pdf lacks a text"
import json, sys
text = open(sys.argv[1], encoding='utf-8').read()
doc = json.load(open(sys.argv[2], encoding='utf-8'))
c = doc['closures']
wanted = ['导线平差成果', '导线计算表', '坐标成果与点位精度', '导线图', '等级 图根：合格',
          'fD = %.1f mm' % c['fd_mm'], '1/%d' % c['relative_closure_k']]
for p in doc['points']:
    wanted.append('%s %.3f' % (p['name'], p['x']))
lines = [' '.join(l.split()) for l in text.splitlines()]
flat = '\n'.join(lines)
missing = [w for w in wanted if w not in flat]
if missing:
    sys.exit('missing: %s' % missing)
PY
    pdftoppm -r 40 -png "$work/$name.pdf" "$work/$name-page"
    local pages
    pages=$(ls "$work/$name"-page-*.png | wc -l)
    [ "$pages" -ge 4 ] || fail "$name.pdf has $pages pages, not header, sheet, coordinates, plot"
    echo "$name: valid HTML5, $pages pages printed, texts found"
}

run closed --type closed --start1 3381252.418,501734.206 --start2 3381685.431,501484.203
run double --type double --start1 3379420.615,498310.442 --start2 3379103.882,498401.737 \
    --end1 3380168.503,499508.214 --end2 3380301.246,499827.961
run single --type single --start1 3382740.318,502915.604 --start2 3382951.774,502688.093 \
    --end1 3381790.512,503944.127
run non-oriented --type non-oriented --start1 3378215.046,500120.733 \
    --end1 3379153.901,501032.467
