#!/usr/bin/env python3
"""Every statement of `orvalen statements` parses with sqlfluff's grammar of its database.

usage: statements_grammar_test.py ORVALEN sqlserver|sqlite [EXTRA.sql ...]

Nothing here can run a SQL Server, so a slip in a statement sent only to one (a LIMIT, a
||, a SQLite function) would first show on a club's server. sqlfluff's T-SQL grammar
catches it here. Extra .sql files (the DBA's check script) are parsed whole.
"""
import json
import pathlib
import re
import subprocess
import sys
import tempfile

SQLFLUFF_DIALECT = {"sqlserver": "tsql", "sqlite": "sqlite"}

# Statements the product sends that are valid for their database but that sqlfluff 1.4.5's
# grammar does not know. Each names the construct and where its database documents it;
# nothing else may be left unparsed.
KNOWN_GRAMMAR_GAPS = {
    ("sqlserver", "open lock timeout"):
        "SET LOCK_TIMEOUT (learn.microsoft.com, SET LOCK_TIMEOUT (Transact-SQL))",
    ("sqlserver", "TBLALUNOSATIVOS page by name"):
        "OFFSET ... ROWS FETCH NEXT ... ROWS ONLY (learn.microsoft.com, ORDER BY clause)",
    ("sqlserver", "TBLALUNOSATIVOS page by number"):
        "OFFSET ... ROWS FETCH NEXT ... ROWS ONLY (learn.microsoft.com, ORDER BY clause)",
    ("sqlite", "open busy timeout"): "PRAGMA (sqlite.org/pragma.html)",
    ("sqlite", "open journal mode"): "PRAGMA (sqlite.org/pragma.html)",
    ("sqlite", "doctor integrity"): "PRAGMA (sqlite.org/pragma.html)",
    ("sqlite", "index AlunosAtivos_NOME_NOCASE"):
        "COLLATE in an indexed column (sqlite.org/lang_createindex.html)",
    ("sqlite", "TBLALUNOSATIVOS first from name"):
        "COLLATE in an ORDER BY term (sqlite.org/lang_select.html)",
    ("sqlite", "TBLALUNOSATIVOS page by name"):
        "COLLATE in an ORDER BY term (sqlite.org/lang_select.html)",
    ("sqlite", "TBLALUNOSATIVOS position by name"):
        "COLLATE in a comparison (sqlite.org/lang_expr.html)",
}

MARKER = re.compile(r"(?<![:\w]):([A-Za-z_]\w*)")


def entries(catalogue):
    """(name, statement) of each entry: a "-- NAME: where" line, then the statement."""
    for block in re.split(r"\n\n(?=-- )", catalogue.strip("\n")):
        header, _, statement = block.partition("\n")
        name = header[3:].split(": ", 1)[0]
        yield name, statement


def for_parser(statement, dialect):
    """Bound values written as the grammar reads them: @p1, @p2 ... in T-SQL (one number
    per name); sqlfluff's SQLite grammar knows no parameter marker, so a literal there."""
    if dialect == "sqlite":
        return MARKER.sub("1", statement)
    numbers = {}

    def numbered(match):
        numbers.setdefault(match.group(1), len(numbers) + 1)
        return "@p%d" % numbers[match.group(1)]

    return MARKER.sub(numbered, statement)


def unparsable(folder, count, dialect):
    """The files of the folder sqlfluff could not parse whole."""
    # The DBA's script is longer than sqlfluff parses by default.
    config = pathlib.Path(folder, ".sqlfluff-size")
    config.write_text("[sqlfluff]\nlarge_file_skip_byte_limit = 0\n")
    ran = subprocess.run(
        ["sqlfluff", "parse", "--dialect", SQLFLUFF_DIALECT[dialect], "--format", "json",
         "--nofail", "--config", str(config), folder],
        capture_output=True, text=True, check=True)
    parsed = json.loads(ran.stdout)
    if len(parsed) != count:
        sys.exit("sqlfluff parsed %d of %d files" % (len(parsed), count))
    return {pathlib.Path(f["filepath"]).name for f in parsed
            if f["segments"] is None or '"unparsable"' in json.dumps(f["segments"])}


def main():
    orvalen, dialect, extra = sys.argv[1], sys.argv[2], sys.argv[3:]
    catalogue = subprocess.run([orvalen, "statements", "--dialect", dialect],
                               capture_output=True, text=True, check=True).stdout
    listed = list(entries(catalogue))
    stale_scripts = []
    if dialect == "sqlserver":
        made = subprocess.run([orvalen, "statements", "--check-script"],
                              capture_output=True, text=True, check=True).stdout
        stale_scripts = [s for s in extra if pathlib.Path(s).read_text() != made]
    if not listed:
        sys.exit("the catalogue is empty")
    with tempfile.TemporaryDirectory() as folder:
        files = {}
        for number, (name, statement) in enumerate(listed):
            path = pathlib.Path(folder, "%03d.sql" % number)
            path.write_text(for_parser(statement, dialect) + "\n")
            files[path.name] = (name, statement)
        for script in extra:
            copy = pathlib.Path(folder, "script-" + pathlib.Path(script).name)
            copy.write_text(pathlib.Path(script).read_text())
            files[copy.name] = (script, None)
        rejected = unparsable(folder, len(files), dialect)
    failures = []
    for file_name in sorted(rejected):
        name, statement = files[file_name]
        if (dialect, name) in KNOWN_GRAMMAR_GAPS:
            continue
        failures.append("%s does not parse as %s:\n%s" %
                        (name, SQLFLUFF_DIALECT[dialect], statement or "(the script)"))
    stale = [name for (d, name) in KNOWN_GRAMMAR_GAPS
             if d == dialect and name not in {files[f][0] for f in rejected}]
    for name in stale:
        failures.append("%s parses now: take it off the list of grammar gaps" % name)
    for script in stale_scripts:
        failures.append("%s is not what `orvalen statements --check-script` prints now" % script)
    print("%d statements of the %s catalogue, %d scripts checked" %
          (len(listed), dialect, len(extra)))
    if failures:
        sys.exit("\n\n".join(failures))


if __name__ == "__main__":
    main()
