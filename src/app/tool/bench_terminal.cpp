#include "app/tool/bench_terminal.h"

#include "app/tool/bench_events.h"
#include "app/tool/bench_people.h"
#include "desk/club_database.h"
#include "desk/screen_typing.h"
#include "terminal/log_writer.h"
#include "terminal/terminal_screen.h"

#include <QSqlRecord>
#include <ctime>
#include <memory>

namespace orvalen::tool {

namespace {

// At most this many different errors are kept for the report.
constexpr int kErrorsKept = 10;

double milliseconds(qint64 nanoseconds) {
    return double(nanoseconds) / 1e6;
}

// Processor time of this thread: on a machine other work keeps busy, the wall-clock times
// include waiting for a processor, this does not.
qint64 threadCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// What the first design did after every person: the whole active-member table read again,
// every column of every row.
store::Result<double> readWholeActiveTable(const store::ClubConnection& club,
                                           const BenchEvents& events) {
    const qint64 began = events.nanoseconds();
    auto rows = club.execute(QStringLiteral("SELECT * FROM AlunosAtivos"));
    if (!rows.ok()) {
        return rows.error();
    }
    qint64 values = 0;
    while (rows->next()) {
        const QSqlRecord record = rows->record();
        values += record.count();
    }
    (void)values;
    return milliseconds(events.nanoseconds() - began);
}

// The access-log writes, timed: on a disk each commit waits for the data to be stored, and
// those waits can be most of a decision.
class TimedLogWriter : public terminal::LogWriter {
public:
    TimedLogWriter(const store::ClubConnection& club, const BenchEvents& events)
        : writer_(club), events_(events) {}
    terminal::LogWriteResult write(const terminal::LogWrite& change) override {
        const qint64 began = events_.nanoseconds();
        terminal::LogWriteResult written = writer_.write(change);
        spent_ += events_.nanoseconds() - began;
        return written;
    }
    qint64 spent() const { return spent_; }

private:
    terminal::DatabaseLogWriter writer_;
    const BenchEvents& events_;
    qint64 spent_ = 0;
};

// The services and the screen of one run, started as the window starts it.
struct RunningTerminal {
    desk::OpenClub club;
    BenchEvents events;
    TimedLogWriter writer;
    terminal::NoReaderLine readerLine;
    terminal::NoFingerprintReader fingerprint;
    terminal::TerminalUnit unit;
    std::unique_ptr<terminal::TerminalScreen> screen;

    RunningTerminal(desk::OpenClub opened, const QDateTime& start)
        : club(std::move(opened)), events(start), writer(*club.connection, events) {
        unit.operatorCode = QStringLiteral("00");
        screen = std::make_unique<terminal::TerminalScreen>(
            terminal::ScreenServices{*club.connection, events, events, events, events, writer,
                                     terminal::Devices{readerLine, fingerprint}, unit, club.local,
                                     &events, nullptr, &events});
    }
};

void keepError(BenchFigures& figures, const QStringList& errors) {
    for (const QString& error : errors) {
        if (figures.errors.size() < kErrorsKept && !figures.errors.contains(error)) {
            figures.errors << error;
        }
    }
}

store::Status identifyPeople(RunningTerminal& terminal, const TerminalBenchOptions& options,
                             BenchFigures& figures) {
    const auto people = choosePeople(*terminal.club.connection, options.count, options.seed);
    if (!people.ok()) {
        return people.error();
    }
    BenchEvents& events = terminal.events;
    terminal::TerminalScreen& screen = *terminal.screen;
    const int baselineEvery = std::max(1, options.count / std::max(1, options.baselineSamples));
    for (int i = 0; i < people->size(); ++i) {
        events.startPerson();
        if (!desk::typeAtKeyboard(screen, people->at(i), false)) {
            return store::Error{QStringLiteral(
                "bench times numbers typed at the keyboard, and this club's members identify "
                "at a reader (Sacvar.PINPAD is not \"NADA\"), so the terminal opens no keyboard "
                "entry: bench a club without devices (orvalen demo create DIR --no-devices, or "
                "a club from orvalen bench-club)")};
        }
        events.startPerson(); // holds while typing are not the decision's
        const qint64 enter = events.nanoseconds();
        const qint64 enterCpu = threadCpuNanoseconds();
        const qint64 writtenBefore = terminal.writer.spent();
        desk::pressEnter(screen);
        const qint64 done = events.nanoseconds();
        figures.decisionCpu.add(milliseconds(threadCpuNanoseconds() - enterCpu));
        if (screen.state().closeRequested) {
            keepError(figures, events.errors());
            return store::Error{
                QStringLiteral("the terminal screen closed while deciding %1").arg(people->at(i))};
        }
        // The last hold shows the outcome; the reset follows it.
        const bool held = events.holds() > 0;
        const double decision = milliseconds((held ? events.lastHoldStart() : done) - enter);
        const double reset = held ? milliseconds(done - events.lastHoldEnd()) : 0;
        figures.decision.add(decision);
        figures.decisionWrites.add(milliseconds(terminal.writer.spent() - writtenBefore));
        if (held) {
            figures.reset.add(reset);
        }
        if (i % baselineEvery == 0) {
            const auto reread = readWholeActiveTable(*terminal.club.connection, events);
            if (!reread.ok()) {
                return reread.error();
            }
            figures.baselineDecision.add(decision + reread.value());
            figures.baselineReset.add(reset + reread.value());
        }
        ++figures.identifications;
        if (figures.identifications == std::max(1, options.count / 10)) {
            figures.rssEarlyMb = residentMegabytes();
        }
    }
    keepError(figures, events.errors());
    return store::Status::success();
}

store::Status searchNames(RunningTerminal& terminal, const TerminalBenchOptions& options,
                          BenchFigures& figures) {
    const auto beginnings =
        chooseNameBeginnings(*terminal.club.connection, options.nameSearches, options.seed + 1);
    if (!beginnings.ok()) {
        return beginnings.error();
    }
    terminal::TerminalScreen& screen = *terminal.screen;
    for (const QString& beginning : beginnings.value()) {
        if (!desk::typeAtKeyboard(screen, beginning.left(1), true)) {
            return store::Error{QStringLiteral("the terminal opened no entry for a name search")};
        }
        screen.state().EDTMATRICULA.text.clear();
        screen.state().EDTMATRICULA.cursor = 0;
        for (const QChar character : beginning) {
            const qint64 began = terminal.events.nanoseconds();
            screen.keyPressed(0, character);
            figures.nameKey.add(milliseconds(terminal.events.nanoseconds() - began));
        }
        screen.keyPressed(0, QChar(terminal::kEscape));
    }
    return store::Status::success();
}

} // namespace

store::Status measureTerminal(const TerminalBenchOptions& options, BenchFigures& figures) {
    QElapsedTimer startup;
    startup.start();
    auto club = desk::openClubDatabase(options.folder, QStringLiteral("orvalen-bench"));
    if (!club.ok()) {
        return club.error();
    }
    RunningTerminal terminal(std::move(club.value()), options.start);
    terminal::TerminalScreen& screen = *terminal.screen;
    screen.FormCreate(1024, 768);
    screen.FormShow();
    if (screen.state().closeRequested) {
        keepError(figures, terminal.events.errors());
        return store::Error{QStringLiteral("the terminal screen did not open on this database")};
    }
    screen.FormActivate();
    figures.startupMs = milliseconds(startup.nsecsElapsed());
    figures.rssStartMb = residentMegabytes();
    figures.activeMembers = screen.students().count();

    const auto reread = readWholeActiveTable(*terminal.club.connection, terminal.events);
    if (!reread.ok()) {
        return reread.error();
    }
    figures.baselineStartupMs = figures.startupMs + reread.value();

    if (store::Status s = identifyPeople(terminal, options, figures); !s.ok()) {
        return s;
    }
    figures.rssMb = residentMegabytes();
    return searchNames(terminal, options, figures);
}

} // namespace orvalen::tool
