#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev libqt6sql6-sqlite libqt6sql6-odbc qt6-serialport-dev
    unixodbc unixodbc-dev tdsodbc libsqliteodbc
    libfprint-2-dev libglib2.0-dev
    googletest libgtest-dev
    xvfb xauth fonts-liberation
    # The desk page (orvalen monitor) and its browser test.
    qt6-httpserver-dev qt6-websockets-dev chromium
    # Debian's own check of the built package (the package.lintian test)
    lintian
    # the statements' grammar check
    sqlfluff
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The browser test's driver runs on Node.js. Machines that carry Node.js from its own
# repository have npm inside it and refuse Debian's npm package, so ask for the commands.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    echo "Installing: nodejs npm"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends nodejs npm
fi
