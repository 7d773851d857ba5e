#!/bin/sh
# Every output of the batch tool on the examples and on long traverses of every type,
# written to a folder and compared byte for byte with an earlier run's folder; the long
# traverses' outputs are also checked against the digests kept in bench/outputs.sha256.
#
#   scripts/check-outputs.sh BUILD OUT [EARLIER]
#
# BUILD is a build folder with traverse-adjust and bench/write_traverse; OUT receives
# the outputs (and the generated traverses). Without EARLIER only the digests are checked
# (run with TA_WRITE_DIGESTS=1 to write them anew). Exit 1 on any difference.
set -eu
build=$1
out=$2
earlier=${3:-}
here=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$out"
build=$(cd "$build" && pwd)
out=$(cd "$out" && pwd)
tool=$build/app/batch/traverse-adjust

# Every output of one run, in OUT (the summary names the file as given): report, JSON,
# plot, coordinates (CSV and DAT), sheet, HTML, summary, and the report on standard output.
run_all() { # stem file args...
    stem=$1 file=$2
    shift 2
    cd "$out"
    "$tool" "$@" -o "$stem.txt" --json "$stem.json" --plot "$stem.svg" --coords "$stem.csv" \
        --sheet "$stem.sheet.csv" --html "$stem.html" --summary=line "$file" \
        2>"$stem.summary" || true
    "$tool" "$@" --quiet -o - --coords "$stem.dat" "$file" >"$stem.stdout.txt" 2>&1 || true
    cd - >/dev/null
}

# The examples, by their command lines in examples/README.md (the traverses': a network
# takes several files and no sheet).
grep '^traverse-adjust ' "$here/examples/README.md" | grep -v -e '--type network' | while read -r _ line; do
    file=$(echo "$line" | awk '{print $NF}')
    args=$(echo "$line" | awk '{$NF=""; print}')
    # shellcheck disable=SC2086
    run_all "example-$(basename "$file")" "$here/$file" $args
done

# Long traverses: type and stations as in bench/outputs.sha256's names.
for stations in 1000 10000; do
    for type in 0 1 2 3; do
        stem=long-$type-$stations
        args=$("$build/bench/write_traverse" "$type" "$stations" "$out/$stem.in.txt")
        # shellcheck disable=SC2086
        run_all "$stem" "$stem.in.txt" $args
    done
    # Heights, the instrument's precision and every report section, on the double one.
    args=$(echo "$args" | sed 's/\(--start1 [^ ]*\)/\1,50/; s/\(--end1 [^ ]*\)/\1,50/')
    # shellcheck disable=SC2086
    run_all "long-all-$stations" "long-3-$stations.in.txt" $args --sigma-angle 2 \
        --sigma-distance 2,2 --sections header,approx,adjusted,sides,precision,heights,closures,tests
done
# The report and the HTML page carry the day's date: it is written DATE.
today=$(date +%F)
for f in "$out"/*.html "$out"/*.txt; do
    case $f in *.in.txt) continue ;; esac
    sed -i "s/$today/DATE/g" "$f"
done

status=0
digests=$here/bench/outputs.sha256
if [ "${TA_WRITE_DIGESTS:-}" = 1 ]; then
    (cd "$out" && sha256sum long-*) >"$digests"
else
    (cd "$out" && sha256sum --quiet -c "$digests") || status=1
fi
if [ -n "$earlier" ]; then
    for f in "$earlier"/*; do
        cmp -s "$f" "$out/$(basename "$f")" || { echo "differs: $(basename "$f")"; status=1; }
    done
fi
[ $status = 0 ] && echo "outputs as before"
exit $status
