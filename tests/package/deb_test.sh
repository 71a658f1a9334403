#!/usr/bin/env bash
# deb_test.sh PACKAGE.deb: its files and modes; a man page man reads cleanly, naming every option;
# its quenby (dpkg -x), run elsewhere, renders as the build tree's and finds ../share/quenby/.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd) work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2 && exit 1; }
dpkg-deb -c "$1" | awk '{print $1, $2, $6}' | diff "$root/tests/package/deb.contents" - >&2 || fail "files"
dpkg-deb -x "$1" "$work/root" && cd "$work" && quenby=$work/root/usr/bin/quenby sheet=$root/examples/release.toml
man=$(MANWIDTH=200 LC_ALL=C man --warnings -l root/usr/share/man/man1/quenby.1.gz 2>warnings) || fail "man"
[[ ! -s warnings ]] || fail "man warns: $(cat warnings)"
for command in "" render sheet sfv check templates jam "jam list" "jam extract" "jam pack"; do
    # shellcheck disable=SC2086 # the command's words
    for word in "quenby $command" $("$quenby" $command --help | grep -oE -- '[ ,]--?[a-z][-a-z0-9]*' | cut -c2-); do
        grep -qF -- "$word" <<<"$man" || fail "the man page does not name '$word' ($command)"
    done
done
"$root/build/native/bin/quenby" render "$sheet" | cmp - <("$quenby" render "$sheet") || fail "render"
[[ $("$quenby" templates) == $'<Default>\nBlocks\nClassic\nCompact\nDouble\nFileId\nGradient\nModern\nPocket\nThin\nTicket\nWide' ]] || fail "templates: $("$quenby" templates)"
"$quenby" render --template Wide "$sheet" | cmp - "$root/tests/cli/golden/Wide/release.nfo" || fail "--template Wide"
