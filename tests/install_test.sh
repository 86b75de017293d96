#!/bin/sh
# Installs the build into a temporary prefix and checks what a desktop and a package need:
# both programs, the manual pages of both (gzipped, groff finds no fault in them), the
# desktop entry and the AppStream metainfo (each passing its own validator), the icon in
# every size of the hicolor theme, the README and the copyright, the changelog, the notes
# and pictures the README and the notes link to, and the samples.
# Usage: install_test.sh BUILD_DIR. Exit status 77 (skipped) without the validators.
set -eu
build=$1
. "$(dirname "$0")/support/shell_test.sh"
require_tools install_test desktop-file-validate appstreamcli
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
expect() {
    if [ ! -s "$prefix/$1" ]; then
        echo "install_test: $1 was not installed" >&2
        status=1
    fi
}
expect bin/widmo
expect bin/widmo-cli
for page in widmo widmo-cli; do
    manual=share/man/man1/$page.1.gz
    expect "$manual"
    if command -v groff >/dev/null && [ -s "$prefix/$manual" ]; then
        warnings=$(gzip -dc "$prefix/$manual" | groff -man -Tutf8 -ww -z 2>&1)
        if [ -n "$warnings" ]; then
            echo "install_test: $page.1: $warnings" >&2
            status=1
        fi
    fi
done
expect share/applications/org.widmo.widmo.desktop
expect share/metainfo/org.widmo.widmo.metainfo.xml
expect share/doc/widmo/README.md
expect share/doc/widmo/copyright
expect share/doc/widmo/changelog.gz
gzip -t "$prefix/share/doc/widmo/changelog.gz" || status=1
expect share/widmo/samples/disc-grey.bmp
# Every relative link of the installed README and notes names an installed file.
for note in "$prefix"/share/doc/widmo/README.md "$prefix"/share/doc/widmo/docs/*.md; do
    for target in $(grep -o '](\([^)#]*\)' "$note" | sed 's/^](//' | grep -v '^[a-z]*:' | sort -u); do
        if [ ! -e "$(dirname "$note")/$target" ]; then
            echo "install_test: $(basename "$note") links to $target, which is not installed" >&2
            status=1
        fi
    done
done
for size in 16 22 24 32 48 64 128 256; do
    icon=share/icons/hicolor/${size}x${size}/apps/widmo.png
    expect "$icon"
    if [ -s "$prefix/$icon" ] && ! file "$prefix/$icon" | grep -q "PNG image data, $size x $size"; then
        echo "install_test: $icon is not a $size x $size PNG" >&2
        status=1
    fi
done
desktop-file-validate "$prefix/share/applications/org.widmo.widmo.desktop" || status=1
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/org.widmo.widmo.metainfo.xml" ||
    status=1
exit $status
