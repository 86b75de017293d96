#!/bin/sh
# Fails while a text of the programs is untranslated: lupdate brings every text of the
# code as it is now (every folder but build, dist, tests, fuzz and bench, so new folders
# count too) into a copy of each .ts file, and any message there that is unfinished or
# has an empty translation is listed. A text added to the code without its translations
# shows up as unfinished.
# Usage: translations_test.sh LUPDATE SOURCE-DIR TS-FILE...
set -eu
lupdate=$1
source_dir=$2
shift 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

find "$source_dir" \( -name .git -o -path "$source_dir/build" -o -path "$source_dir/dist" \
    -o -path "$source_dir/tests" -o -path "$source_dir/fuzz" -o -path "$source_dir/bench" \) \
    -prune -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.ui' \) -print \
    >"$work/sources"

status=0
for ts in "$@"; do
    copy="$work/$(basename "$ts")"
    cp "$ts" "$copy"
    "$lupdate" -silent -no-obsolete -locations none "@$work/sources" -ts "$copy"
    # Prints the first line of the source of every message whose translation is marked
    # unfinished or is empty, whole or in one of its plural forms.
    untranslated=$(awk '
        /<source>/ { source = $0; sub(/.*<source>/, "", source); sub(/<\/source>.*/, "", source) }
        /type="unfinished"/ || /<translation><\/translation>/ || /<translation\/>/ ||
        /<numerusform><\/numerusform>/ || /<numerusform\/>/ { print "  " source }
    ' "$copy" | sort -u)
    if [ -n "$untranslated" ]; then
        echo "translations: $(basename "$ts") lacks translations of:" >&2
        echo "$untranslated" >&2
        status=1
    fi
    # lupdate passes over a call its parser cannot read; the first piece of every text
    # given to translate() in the code must be among the texts it found.
    missed=$(perl -0777 -e '
        my %found;
        open(my $ts, "<", shift) or die; my $xml = <$ts>;
        $found{$1} = 1 while $xml =~ /<source>([^<]*)/g;
        open(my $list, "<", shift) or die; my @files = split /\n/, <$list>;
        for my $file (@files) {
            open(my $in, "<", $file) or die; my $code = <$in>;
            while ($code =~ /translate\(\s*"[^"]*"\s*,\s*"((?:[^"\\]|\\.)*)"/g) {
                (my $text = $1) =~ s/\\(.)/$1 eq "n" ? "\n" : $1/ge;
                $text =~ s/&/&amp;/g; $text =~ s/</&lt;/g; $text =~ s/>/&gt;/g;
                $text =~ s/"/&quot;/g; $text =~ s/\x27/&apos;/g;
                print "  $text ($file)\n" unless grep { index($_, $text) == 0 } keys %found;
            }
        }' "$copy" "$work/sources")
    if [ -n "$missed" ]; then
        echo "translations: lupdate did not find, for $(basename "$ts"):" >&2
        echo "$missed" >&2
        status=1
    fi
    # A text is looked up under the context its translate() call names; one that lupdate
    # filed under any other context (say, from a tr() of our own) is never found.
    stray=$(perl -0777 -e '
        my %named;
        open(my $list, "<", pop) or die;
        for my $file (split /\n/, <$list>) {
            open(my $in, "<", $file) or die; my $code = <$in>;
            $named{$1} = 1 while $code =~ /(?:translate|QT_TRANSLATE_NOOP)\(\s*"([^"]*)"/g;
        }
        open(my $ts, "<", pop) or die; my $xml = <$ts>;
        while ($xml =~ /<name>([^<]*)<\/name>/g) { print "  $1\n" unless $named{$1} }
        ' "$copy" "$work/sources")
    if [ -n "$stray" ]; then
        echo "translations: $(basename "$ts") has texts under contexts no call names:" >&2
        echo "$stray" >&2
        status=1
    fi
    count=$(grep -c '<message' "$copy")
    echo "translations: $(basename "$ts"): $count texts"
done
exit $status
