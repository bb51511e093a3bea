#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the terminal and window
# tests once more under the sanitizers first, then the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
bash scripts/test-sanitized.sh
# The desk page's browser test drives chromium with puppeteer-core, at the locked version.
npm ci --prefix tests/browser --no-audit --no-fund
build="${ORVALEN_BUILD_DIR:-build}"
ctest --test-dir "$build" --output-on-failure -j2 --timeout 300
