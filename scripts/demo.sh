#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo club in ./demo-club (or $ORVALEN_DEMO_DIR),
# checks the installation and starts the terminal application on it (with the relay and reader
# simulators when the club was made with --devices). Running it again keeps
# the club and opens its cash period for the day. Without a display it says so and runs a
# short headless demonstration instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
build="${ORVALEN_BUILD_DIR:-build}"
club="${ORVALEN_DEMO_DIR:-demo-club}"
members="$club/demo-members.txt"

orvalen="$build/src/app/orvalen"
"$orvalen" demo create "$club"

# A club made with --devices reads a Tec12 keypad on its reader line and pulses a Wi-Fi relay
# on this machine: both simulators run while this script does and end with it.
simulators=()
end_simulators() {
    if ((${#simulators[@]})); then
        kill "${simulators[@]}" 2>/dev/null || true
        wait "${simulators[@]}" 2>/dev/null || true
    fi
}
trap end_simulators EXIT
trap 'exit 130' INT TERM HUP
# Waits up to five seconds for a started simulator to be ready; says why when it ended instead.
await() {
    local pid="$1" what="$2" ready="$3"
    for _ in $(seq 50); do
        if eval "$ready"; then return 0; fi
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "demo: $what ended at once (is one running already?); see its words above" >&2
            exit 1
        fi
        sleep 0.1
    done
    echo "demo: $what did not become ready within five seconds" >&2
    exit 1
}
reader_line="$(cd "$club" && pwd)/reader-line"
if grep -qx "COM9=$reader_line" "$club/terminal.ini"; then
    echo
    echo "This club has the demo's devices: starting the relay simulator (127.0.0.1:8080) and the"
    echo "reader simulator ($reader_line); they end with this script."
    echo "Their words carry 'relay-sim:' and 'reader-sim:'. orvalen demo create $club --no-devices"
    echo "switches the devices off again."
    "$orvalen" relay-sim --port 8080 > >(sed -u 's/^/relay-sim: /') 2>&1 &
    simulators+=($!)
    await $! relay-sim "(exec 3<>/dev/tcp/127.0.0.1/8080) 2>/dev/null"
    "$orvalen" reader-sim --link "$reader_line" > >(sed -u 's/^/reader-sim: /') 2>&1 &
    simulators+=($!)
    await $! reader-sim "[ -e '$reader_line' ]"
fi
"$orvalen" doctor --datalink-dir "$club"

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
    if ((${#simulators[@]})); then
        echo "At the keypad: orvalen send keypad NUMBER# (from another shell)."
        "$build/src/app/orvalen-terminal" --datalink-dir "$club"
        exit
    fi
    exec "$build/src/app/orvalen-terminal" --datalink-dir "$club"
fi

echo
echo "No display is available (neither DISPLAY nor WAYLAND_DISPLAY is set): the terminal's"
echo "window cannot open here."
if ((${#simulators[@]})); then
    echo "This club's members identify at the keypad, which only the window reads; for a headless"
    echo "demonstration switch the devices off: orvalen demo create $club --no-devices"
    exit 0
fi
echo "A short headless demonstration with 'orvalen identify' instead, without writing or"
echo "pulsing anything:"
for number in "$(first_of paid)" 0000999999 "$(typed_employee)" "$(first_of overdue)"; do
    echo
    echo "\$ orvalen identify --dry-run $number"
    "$orvalen" identify --datalink-dir "$club" --dry-run "$number"
done
