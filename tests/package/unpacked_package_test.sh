#!/usr/bin/env bash
# The Debian package on its own: built with `--target package`, unpacked into a scratch root,
# and its own tool run from there, with none of the build tree, to create a club, check it
# and identify a member. Exit 77 (skipped) where there is no dpkg-deb.
set -euo pipefail
build="$(cd "$1" && pwd)"

if ! command -v dpkg-deb >/dev/null 2>&1; then
    echo "skipped: dpkg-deb is missing, so a Debian package can be neither built nor unpacked here"
    exit 77
fi

scratch_base="${ORVALEN_TEST_TMP:-${TMPDIR:-/tmp}}"
mkdir -p "$scratch_base"
scratch="$(mktemp -d "$scratch_base/package-XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

source "$(dirname "$0")/built_package.sh" "$build"

# The control fields apt reads: what it is, and everything it needs pulled in with it.
[ "$(dpkg-deb -f "$deb" Package)" = orvalen-terminal ] || fail "Package is not orvalen-terminal"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version is not $version"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "Architecture is not amd64"
depends="$(dpkg-deb -f "$deb" Depends)"
for needed in libqt6widgets6 libqt6network6 libqt6serialport6 libqt6sql6-odbc libqt6sql6-sqlite \
    qt6-qpa-plugins unixodbc tdsodbc libfprint-2-2; do
    [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] ||
        fail "Depends lacks $needed: $depends"
done
dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles | grep -qx /etc/orvalen/terminal.ini ||
    fail "/etc/orvalen/terminal.ini is not a conffile: an upgrade would overwrite the installer's settings"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
for file in usr/bin/orvalen usr/bin/orvalen-terminal usr/lib/orvalen-terminal/orvalen-kiosk-session; do
    [ -x "$root/$file" ] || fail "$file is not an executable in the package"
done
for file in etc/orvalen/terminal.ini usr/share/applications/orvalen-terminal.desktop \
    usr/share/icons/hicolor/scalable/apps/orvalen-terminal.svg usr/share/man/man1/orvalen.1.gz \
    usr/share/man/man1/orvalen-terminal.1.gz usr/share/doc/orvalen-terminal/copyright \
    usr/share/doc/orvalen-terminal/changelog.gz \
    usr/lib/systemd/user/orvalen-terminal.service usr/lib/udev/rules.d/70-orvalen-terminal.rules \
    usr/share/orvalen-terminal/orvalen-kiosk.desktop \
    usr/share/doc/orvalen-terminal/installer-guide.md \
    usr/share/doc/orvalen-terminal/guia-do-operador.md; do
    [ -s "$root/$file" ] || fail "$file is missing from the package"
done
if command -v readelf >/dev/null 2>&1; then
    for exe in orvalen orvalen-terminal; do
        ! readelf -d "$root/usr/bin/$exe" | grep -q "$build" ||
            fail "usr/bin/$exe still looks for libraries in the build tree"
    done
fi

# The shipped settings change nothing until the installer says so: no key is switched on.
ini="$root/etc/orvalen/terminal.ini"
if grep -nE '^[[:space:]]*[^;#[:space:][]' "$ini"; then
    fail "terminal.ini switches the keys above on"
fi
for key in odbc_driver tds_version COM1 378 port_output converter fingerprint_virtual path; do
    grep -qE "^;$key=" "$ini" || fail "terminal.ini does not explain the key $key"
done

# The unpacked tool alone: no build tree, no inherited library or plugin paths.
run() {
    env -i PATH=/usr/bin:/bin HOME="$scratch" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
        "$root/usr/bin/orvalen" "$@"
}
club="$scratch/club"
run demo create "$club" --members 40 >"$scratch/demo.log" 2>&1 ||
    { cat "$scratch/demo.log"; fail "orvalen demo create"; }
cp "$ini" "$club/terminal.ini" # the installed defaults, read by the doctor and the terminal
if ! run doctor --datalink-dir "$club" >"$scratch/doctor.log" 2>&1; then
    cat "$scratch/doctor.log"
    fail "orvalen doctor on the demo club with the packaged terminal.ini"
fi
grep -q 'all is well' "$scratch/doctor.log" || fail "the doctor did not say all is well"

# The first member the demo lists as paid is let in.
paid="$(awk '$0 == "[paid]" { getline; print $1; exit }' "$club/demo-members.txt")"
[ -n "$paid" ] || fail "the demo's members file lists no paid member"
run identify --datalink-dir "$club" --dry-run "$paid" >"$scratch/identify.log" 2>&1 ||
    { cat "$scratch/identify.log"; fail "orvalen identify --dry-run $paid"; }
grep -q 'Acesso Livre' "$scratch/identify.log" ||
    { cat "$scratch/identify.log"; fail "paid member $paid is not shown \"Acesso Livre\""; }

if command -v groff >/dev/null 2>&1; then
    for page in "$root"/usr/share/man/man1/*.1.gz; do
        warnings="$(gzip -dc "$page" | groff -man -ww -z 2>&1)"
        [ -z "$warnings" ] || fail "the man page $(basename "$page") has mistakes: $warnings"
    done
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "the package installs, checks and identifies from its own files: $deb"
