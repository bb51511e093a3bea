#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo club in ./demo-club (or $ORVALEN_DEMO_DIR),
# checks the installation and starts the terminal application on it. Running it again keeps
# the club and opens its cash period for the day. Without a display it says so and runs a
# short headless demonstration instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
build="${ORVALEN_BUILD_DIR:-build}"
club="${ORVALEN_DEMO_DIR:-demo-club}"
members="$club/demo-members.txt"

"$build/src/app/orvalen" demo create "$club"
"$build/src/app/orvalen" doctor --datalink-dir "$club"

# The demo operator as the club was created with it: "operator CODE password PASSWORD (NAME)".
read -r _ code _ password _ < <(grep -m1 '^operator ' "$members")
# The first number listed under a heading of the members file.
first_of() { awk -v h="[$1]" '$0 == h { getline; print $1; exit }' "$members"; }
# What is typed for the first employee: the short form the file gives after "type".
typed_employee() {
    awk '$0 == "[employee]" { getline; if (match($0, /type [0-9]+/)) print substr($0, RSTART + 5, RLENGTH - 5); exit }' \
        "$members"
}

echo
echo "Demo operator: code $code, password $password"
echo "Who to try at the terminal: $members"

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    echo "Starting the terminal: log in, then Acesso > Abrir; Sair ends it."
    exec "$build/src/app/orvalen-terminal" --datalink-dir "$club"
fi

echo
echo "No display is available (neither DISPLAY nor WAYLAND_DISPLAY is set): the terminal's"
echo "window cannot open here. A short headless demonstration with 'orvalen identify' instead,"
echo "without writing or pulsing anything:"
for number in "$(first_of paid)" 0000999999 "$(typed_employee)" "$(first_of overdue)"; do
    echo
    echo "\$ orvalen identify --dry-run $number"
    "$build/src/app/orvalen" identify --datalink-dir "$club" --dry-run "$number"
done
