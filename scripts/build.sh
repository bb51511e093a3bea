#!/usr/bin/env bash
# Configures and builds into build/ (or $ORVALEN_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${ORVALEN_BUILD_DIR:-build}"
# ccache (installed by setup.sh) keeps a second build and the sanitized one short.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build "$build" "$@"
