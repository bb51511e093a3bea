#!/usr/bin/env bash
# Writes the examples of README.md and docs/installer-guide.md from what the tool prints on a
# fresh demo club, so they cannot drift from the product. Each example is a block between
# "<!-- example: NAME -->" and "<!-- end example -->"; the blocks are rewritten in place.
#
#   bash scripts/docs-examples.sh [--check] [ORVALEN]
#
# --check rewrites nothing and exits 1, showing the difference, when a block is not what the
# tool prints now. The demo club is made for the day it runs on, so dates, months and the
# overdue member's due day (today's day) count as equal whatever their value, and so do the
# class slot's code, days and hours (the demo gives that member the class that does not run
# on the weekday of its creation). ORVALEN is the tool (build/src/app/orvalen by default).
set -euo pipefail
cd "$(dirname "$0")/.."

check=false
if [[ "${1:-}" == --check ]]; then
    check=true
    shift
fi
orvalen="$(realpath "${1:-build/src/app/orvalen}")"
docs=(README.md docs/installer-guide.md)

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
club="$work/demo-club"
blocks="$work/blocks"
mkdir "$blocks"
"$orvalen" demo create "$club" >/dev/null

# The club's temporary folder is shown as the folder the reader's command names.
shown_as() {
    sed "s|$club|$1|g"
}

# One example: the fenced block NAME holds, from standard input.
block() {
    {
        echo '```text'
        cat
        echo '```'
    } >"$blocks/$1"
}

# A command as the README shows it (run in the work folder, so the club is "demo-club").
readme_run() {
    echo "\$ build/src/app/orvalen $*"
    (cd "$work" && "$orvalen" "$@") | shown_as demo-club
}

# The overdue member, the checks between the second and the ninth left out.
readme_run explain --datalink-dir demo-club --at 10:30 10004 |
    awk '/^ 3\. /{print " …"; skip=1} /^ 9\. /{skip=0} !skip' | block explain-overdue

# The member whose class does not run now, from the class check to the deciding one.
readme_run explain --datalink-dir demo-club --at 10:30 --lang en 10019 |
    awk 'NR == 1 {print; print " …"} /^[0-9]+\. Student.s class/ {on = 1} on {print}
         /^Deciding check/ {on = 0}' | block explain-class

for entry in "07:12 10001" "07:15 10004" "07:20 00101" "07:31 0000999999"; do
    read -r at number <<<"$entry"
    "$orvalen" identify --datalink-dir "$club" --at "$at" "$number" >/dev/null
done
readme_run log --datalink-dir demo-club | block log

# The installer's guide shows the demo club installed in /etc/orvalen (a problem found there
# shows in the difference rather than ending the script).
{ "$orvalen" doctor --datalink-dir "$club" || true; } | shown_as /etc/orvalen |
    block doctor-healthy

# A SQL Server that cannot be reached: nothing listens on port 1 of this machine.
printf '%s\r\n' '[oledb]' '; Everything after this line is an OLE DB initstring' \
    'Provider=SQLOLEDB.1;Password=s3nha;User ID=orvalen;Initial Catalog=ACADEMIA;Data Source=127.0.0.1,1;Connect Timeout=3' \
    >"$club/Orvalen.udl"
{ "$orvalen" doctor --datalink-dir "$club" || true; } | shown_as /etc/orvalen |
    block doctor-unreachable

# The document with every marked block replaced by its example; an unknown name fails.
rewritten() {
    awk -v blocks="$blocks" '
        /^<!-- example: [^ ]+ -->$/ {
            print
            file = blocks "/" $3
            if ((getline line < file) <= 0) { print "unknown example " $3 > "/dev/stderr"; exit 2 }
            do print line; while ((getline line < file) > 0)
            close(file)
            used[$3] = 1
            skip = 1
            next
        }
        /^<!-- end example -->$/ { skip = 0 }
        !skip { print }
        END { for (name in used) print name > (blocks "/.used-" FILENAME_ID) }
    ' FILENAME_ID="$2" "$1"
}

# What legitimately changes with the day the demo club was made.
normalised() {
    sed -E -e 's|[0-9]{2}/[0-9]{2}/[0-9]{4}|DD/MM/YYYY|g' \
        -e 's|\b[0-9]{2}/[0-9]{4}\b|MM/YYYY|g' \
        -e 's/(dia de vencimento( usado)?: )[0-9]+/\1N/' \
        -e "s/^( +(class|days|start|end|opens at|closes at): ).*/\\1…/" "$1"
}

status=0
for i in "${!docs[@]}"; do
    doc="${docs[$i]}"
    rewritten "$doc" "$i" >"$work/new"
    if $check; then
        if ! diff -u --label "$doc (as written)" --label "$doc (as the tool prints now)" \
            <(normalised "$doc") <(normalised "$work/new"); then
            status=1
        fi
    elif ! cmp -s "$doc" "$work/new"; then
        cp "$work/new" "$doc"
        echo "rewrote the examples of $doc"
    fi
done

# Every example appears in some document, so none is dropped from the guides unnoticed.
for example in "$blocks"/*; do
    name="$(basename "$example")"
    if ! grep -qsx "$name" "$blocks"/.used-*; then
        echo "no document shows the example $name (<!-- example: $name -->)"
        status=1
    fi
done
if $check && ((status == 0)); then
    echo "the examples of ${docs[*]} are what the tool prints"
fi
exit "$status"
