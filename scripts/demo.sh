#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo club in ./demo-club (or $ORVALEN_DEMO_DIR),
# checks the installation and starts the terminal on it. Running it again keeps the club and
# opens its cash period for the day.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
build="${ORVALEN_BUILD_DIR:-build}"
club="${ORVALEN_DEMO_DIR:-demo-club}"

"$build/src/app/orvalen" demo create "$club"
"$build/src/app/orvalen" doctor --datalink-dir "$club"

echo
echo "Operator 01, password 1234. Who to try at the terminal: $club/demo-members.txt"

# The terminal application is started here, on the demo club's data-link folder.
