#!/usr/bin/env bash
# The Debian package passes Debian's own check: lintian finds no error and no warning in it.
# Built with `--target package` like package.unpacked. Exit 77 (skipped) where lintian or
# dpkg-deb is missing (scripts/setup.sh installs both).
set -euo pipefail

for tool in lintian dpkg-deb; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is missing"
        exit 77
    fi
done

source "$(dirname "$0")/built_package.sh" "$1"

# Every tag lintian shows at warning level or above fails; information and pedantic tags are
# printed for the reader but pass.
if ! lintian --fail-on error,warning --display-info "$deb"; then
    echo "FAILED: lintian finds errors or warnings in $deb (listed above with E: and W:)"
    exit 1
fi
echo "lintian finds no error and no warning in $deb"
