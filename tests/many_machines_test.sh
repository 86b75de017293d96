#!/bin/sh
# The GNU parallel recipes of docs/many-machines.md, with this machine as the only one
# (--sshlogin 1/:): the sample pictures, one of them under a name with a space, are listed,
# dealt into shards and run; every picture's spectrum must appear exactly once, the same as
# a single run of widmo-cli writes, and nothing else.
# Usage: many_machines_test.sh PATH-TO-WIDMO-CLI SAMPLES_DIR. Exit status 77 without parallel.
set -eu
cli=$(realpath "$1")
samples=$(realpath "$2")
if ! command -v parallel >/dev/null; then
    echo "many_machines_test: GNU parallel is not installed (scripts/install-deps)" >&2
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir -p bin photos/sub
ln -s "$cli" bin/widmo-cli
PATH=$work/bin:$PATH
export PATH
cp "$samples"/*-grey.bmp photos/
cp "$samples/disc-colour.bmp" "photos/sub/two words.bmp"
pictures=$(find photos -name '*.bmp' | wc -l)

fail() {
    echo "many_machines_test: $*" >&2
    exit 1
}

# Each picture's NAME.bmp in $1 once, as a single run makes it, and nothing but the
# NAME.bmp and NAME.npy files asked for.
check_outputs() {
    folder=$1
    per_picture=$2
    [ "$(find "$folder" -type f | wc -l)" -eq $((pictures * per_picture)) ] ||
        fail "$folder holds $(ls "$folder" | wc -l) files for $pictures pictures"
    find photos -name '*.bmp' | while IFS= read -r photo; do
        name=$(basename "$photo" .bmp)
        widmo-cli --quiet --mode log "$photo" alone.bmp
        cmp -s alone.bmp "$folder/$name.bmp" || fail "$folder/$name.bmp is not the spectrum of $photo"
        if [ "$per_picture" -eq 2 ]; then
            [ -s "$folder/$name.npy" ] || fail "$folder/$name.npy is missing"
        fi
    done || exit 1
}

# The shards: every name in exactly one of them.
find photos -name '*.bmp' -print0 > all.list
split -d -t '\0' -n r/4 all.list shard.
[ "$(cat shard.* | tr '\0' '\n' | sort | uniq -d)" = "" ] || fail "a name is in two shards"
[ "$(cat shard.* | tr -cd '\0' | wc -c)" -eq "$pictures" ] || fail "the shards lose names"

parallel --sshlogin 1/: --workdir . --joblog shards.log \
    'widmo-cli --quiet --mode log --output-dir spectra --npy-beside --files-from {} -0' ::: shard.*
[ "$(tail -n +2 shards.log | wc -l)" -eq 4 ] || fail "not one job for each of 4 shards"
[ "$(tail -n +2 shards.log | awk '$7 != 0' | wc -l)" -eq 0 ] || fail "a shard failed: $(cat shards.log)"
check_outputs spectra 2

find photos -name '*.bmp' -print0 |
    parallel --pipe --recend '\0' -N 3 --sshlogin 1/: --workdir . \
        'widmo-cli --quiet --mode log --output-dir piped --files-from - -0'
check_outputs piped 1
echo "many_machines_test: $pictures pictures, each written once by 4 shards and by --pipe"
