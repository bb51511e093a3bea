#include "app/tool/commands.h"

#include "app/tool/bench_club_command.h"
#include "app/tool/bench_command.h"
#include "app/tool/contingency_command.h"
#include "app/tool/demo_command.h"
#include "app/tool/doctor_command.h"
#include "app/tool/explain_command.h"
#include "app/tool/identify_command.h"
#include "app/tool/log_command.h"
#include "app/tool/monitor_command.h"
#include "app/tool/reader_sim_command.h"
#include "app/tool/relay_sim_command.h"
#include "app/tool/send_command.h"
#include "app/tool/statements_command.h"

#include <array>

namespace orvalen::tool {

int versionCommand(CommandContext& context) {
    context.out << "orvalen 9.26\n";
    return 0;
}

std::span<const Command> allCommands() {
    static const std::array commands{
        Command{"version", "version", "prints the version", &versionCommand},
        Command{"demo", "demo create DIR [--members N] [--devices | --no-devices] [--fingerprints]",
                "creates the demo club in DIR, or reopens its cash period for today; --devices "
                "points it at a Tec12 keypad on DIR/reader-line and a Wi-Fi relay on "
                "127.0.0.1:8080 (scripts/demo.sh starts both simulators), --no-devices back at "
                "the keyboard; --fingerprints enrols the sample fingers and has the terminal "
                "identify by finger on a virtual reader",
                &demoCommand},
        Command{"bench-club",
                "bench-club DIR [--active N] [--total N] [--receipts N] [--history N] "
                "[--today N] [--classes N] [--fingers N] [--photos N] [--seed N]",
                "creates a large club in the empty folder DIR for `orvalen bench`: by default "
                "20,000 active and 100,000 members, 1,000,000 receipts, 2,000,000 access rows, "
                "5,000 of today, 300 classes, 10,000 enrolled fingers; the same seed gives the "
                "same club",
                &benchClubCommand},
        Command{"bench",
                "bench [--datalink-dir DIR] [--count N] [--names N] [--fingers N] [--at HH:MM] "
                "[--seed N] [--json]",
                "times the terminal on the club database: N identifications (10,000) through the "
                "terminal's own screen logic, writing their access rows, the reset, a name "
                "search key, start-up, memory, and a fingerprint search among N stored fingers "
                "(1,000; 0 skips it); beside each, the first design's cost",
                &benchCommand},
        Command{"doctor", "doctor [--datalink-dir DIR]",
                "checks an installation and says what to fix", &doctorCommand},
        Command{"identify",
                "identify [--datalink-dir DIR] [--name] [--at HH:MM[:SS]] [--dry-run] [--json] "
                "[--branch CODE] [--observation TEXT] TEXT | --finger SAMPLE|FILE.pgm",
                "runs one identification as if TEXT was typed at the terminal and Enter pressed; "
                "prints what the screen shows, the waits, the rows written and the turnstile "
                "releases; --name: TEXT begins a member's name (exit 2 when none does); "
                "--branch first chooses the unit of that Filial.CLIENTE, --observation first "
                "notes TEXT for the log row; --finger lays a finger on the club's fingerprint "
                "reader instead of typing",
                &identifyCommand},
        Command{"explain",
                "explain [--datalink-dir DIR] [--at [DATE] HH:MM] [--branch CODE] [--lang pt|en] "
                "[--json] NUMBER",
                "why the terminal lets NUMBER in or not: runs its decision on a dry run and "
                "prints each check in order with its facts and result, then the outcome and the "
                "texts shown; --at explains on that business date and time",
                &explainCommand},
        Command{"contingency", "contingency status|refresh|replay [--datalink-dir DIR]",
                "the local copy the terminal decides from while the club database is away: its "
                "age, size and writes waiting; takes a new copy; hands the writes made while "
                "away to the club database, exactly once",
                &contingencyCommand},
        Command{"log",
                "log [--datalink-dir DIR] [--date DATE] [--number NUMBER] [--status L|S|H|V]",
                "the access rows of Acesso, AcessoDia, AcessoFuncionarios and AcessoVisitantes "
                "as a table: the business date's rows, or a person's, or another day's",
                &logCommand},
        Command{"monitor", "monitor [--datalink-dir DIR] [--listen ADDRESS:PORT]",
                "the desk page in the browser: the door live, why a member was refused, member "
                "lookup, the day's chart, the visitor release; on 127.0.0.1:8470 unless --listen "
                "names another address",
                &monitorCommand},
        Command{"send",
                "send 0x400 N | send keypad KEYS | send card NUMBER | send finger "
                "SAMPLE|FILE.pgm [--datalink-dir DIR]",
                "delivers the external release message to the running terminal; or has the "
                "running reader simulator type Tec12 KEYS (0-9, * clears, # enters) or send a "
                "card frame; or lays a finger (a built-in sample or a PGM picture) on the "
                "virtual fingerprint reader of terminal.ini",
                &sendCommand},
        Command{"relay-sim", "relay-sim [--port N] [--address 127.0.0.1] [--silent]",
                "a Wi-Fi turnstile relay on this machine (loopback only): answers every request "
                "with 200, or never with --silent, and prints each request with its time",
                &relaySimCommand},
        Command{"reader-sim", "reader-sim --link PATH",
                "a Tec12 keypad or card reader on a pseudo-terminal linked from PATH, for the "
                "terminal's reader line; prints every byte it sends and receives",
                &readerSimCommand},
        Command{"statements", "statements [--dialect sqlserver|sqlite] | statements --check-script",
                "every statement the terminal and this tool can send to the club database, as "
                "built for SQL Server (the default) or the SQLite file: a comment line with its "
                "name and where it is used, the statement, a blank line between entries; "
                "--check-script prints the DBA's read-only T-SQL check of tables, columns and "
                "indexes (docs/sqlserver-check.sql)",
                &statementsCommand},
    };
    return commands;
}

} // namespace orvalen::tool
