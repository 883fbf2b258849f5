#!/bin/sh
# cmake --install of a built tree into a scratch prefix: exactly the programs
# and the desktop's files, each one valid for the tool that reads it.
#   install_tree_test.sh CMAKE BUILD_DIR
set -eu
cmake=$1
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

expected="bin/orvex
bin/orvex-decode
bin/orvex-synth
share/applications/orvex.desktop
share/doc/orvex/changelog.gz
share/doc/orvex/copyright
share/icons/hicolor/scalable/apps/orvex.svg
share/man/man1/orvex-decode.1.gz
share/man/man1/orvex-synth.1.gz
share/man/man1/orvex.1.gz
share/mime/packages/orvex.xml"
actual=$(cd "$prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$actual" = "$expected" ] ||
    fail "installed files differ; expected:
$expected
installed:
$actual"

# The desktop entry is valid, starts the installed window with the file,
# shows the installed icon and claims the MIME type the package defines.
entry=$prefix/share/applications/orvex.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate: $entry"
grep -qx 'Exec=orvex %f' "$entry" || fail "the entry does not start orvex with a file"
grep -qx 'Icon=orvex' "$entry" || fail "the entry's icon is not orvex"
grep -qx 'MimeType=application/x-kiss-log;' "$entry" || fail "the entry claims no KISS logs"
# (With the prefix among the data folders it does not warn that it is not.)
XDG_DATA_DIRS=$prefix/share update-mime-database "$prefix/share/mime" ||
    fail "update-mime-database"
grep -qx 'application/x-kiss-log:\*.kss' "$prefix/share/mime/globs" ||
    fail "*.kss is not application/x-kiss-log"

# Every option a program's help names is in its manual page. The help needs
# no display.
for program in orvex orvex-decode orvex-synth; do
    page=$(gzip -dc "$prefix/share/man/man1/$program.1.gz")
    help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$program" --help) ||
        fail "$program --help"
    for option in $(printf '%s\n' "$help" | grep -oE -- '--[a-z-]+' | sort -u); do
        escaped=$(printf '%s' "$option" | sed 's/-/\\\\-/g')
        printf '%s\n' "$page" | grep -q -- "$escaped" || fail "$program.1 lacks $option"
    done
    version=$("$prefix/bin/$program" --version) || fail "$program --version"
    [ "$version" = "$program $(echo "$page" | sed -n 's/^\.TH .* "orvex \([^"]*\)".*/\1/p')" ] ||
        fail "$program --version says \"$version\", its manual page another version"
done
echo "installed $(echo "$actual" | wc -l) files under $prefix"
