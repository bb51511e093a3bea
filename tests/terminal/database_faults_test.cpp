#include "support/decision_harness.h"
#include "support/fault_injector.h"
#include "support/qstring_printer.h"
#include "support/second_unit.h"

#include <QMap>
#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <optional>

namespace orvalen::test {
namespace {

const QString kStudent = QStringLiteral("0000000101");
const QString kUnitStudent = QStringLiteral("0000050001");
const QString kVisitorDetail = QStringLiteral("AcessoVisitantes/AcessoDia");
const QStringList kLogTables{QStringLiteral("AcessoDia"), QStringLiteral("Acesso"),
                             QStringLiteral("AcessoFuncionarios"),
                             QStringLiteral("AcessoVisitantes"), QStringLiteral("LiberaGympass")};

QString s(const char* text) {
    return QString::fromUtf8(text);
}

using Counts = QMap<QString, int>;

// One person at the turnstile: the club as it must be before, and what is typed.
struct Kind {
    const char* name;
    std::function<void(DecisionHarness&)> arrange;
    const char* typed;
    bool branch = false; // the operator first switches to the second unit
    bool granted = false;
    const char* failureDetail = nullptr; // fixed detail of a failed write, if any
};

void PrintTo(const Kind& kind, std::ostream* os) {
    *os << kind.name;
}

// Two releases: today's lets him in, and every release of his goes with the grant.
void addReleases(DecisionHarness& h) {
    h.insert("LiberaGympass", {{s("Matricula"), kStudent}, {s("Data"), QDate(2021, 3, 15)}});
    h.insert("LiberaGympass", {{s("Matricula"), kStudent}, {s("Data"), QDate(2021, 3, 1)}});
}

void partnerPassMember(DecisionHarness& h) {
    h.addStudent(kStudent, {{s("Gympass"), 1}});
    addReleases(h);
}

const Kind kKinds[] = {
    {"granted_student", [](DecisionHarness& h) { h.addStudent(kStudent); }, "0000000101", false,
     true},
    {"refused_student_over_daily_limit",
     [](DecisionHarness& h) {
         h.addStudent(kStudent);
         h.setSacvar2("QTD_ACESSO", 1);
         h.insert(
             "AcessoDia",
             {{s("MATRICULA"), kStudent}, {s("DATA"), QDate(2021, 3, 15)}, {s("STATUS"), s("L")}});
     },
     "0000000101"},
    {"record_hold",
     [](DecisionHarness& h) {
         h.addStudent(kStudent, {{s("BLOQUEIA_ROLETA"), 1}});
     },
     "0000000101"},
    {"pending_balance_hold",
     [](DecisionHarness& h) {
         h.addStudent(kStudent, {{s("PENDENCIA"), 35.5}});
         h.setSacvar2("ACESSO_PENDENCIA_BLOQUEIO", s("Sim"));
     },
     "0000000101"},
    {"partner_pass_release", partnerPassMember, "0000000101", false, true},
    {"employee", [](DecisionHarness& h) { h.addEmployee(s("0000012345")); }, "0012345", false,
     true},
    {"visitor", [](DecisionHarness&) {}, "9999999999", false, true, "AcessoVisitantes/AcessoDia"},
    {"branch_member", [](DecisionHarness&) {}, "50001", true, true},
};

// A club, its screen and a fault injector on its connection, for one kind of person.
class Club {
public:
    explicit Club(const Kind& kind) : kind_(kind) {
        kind.arrange(h);
        if (kind.branch) {
            unit_ = std::make_unique<SecondUnit>(h.db);
            unit_->addStudent(kUnitStudent, s("JOANA JARDIM"));
        }
        h.open();
        injector.emplace(h.db.connection());
    }

    void identify() {
        if (kind_.branch) {
            h.screen().BBNFILIALClick();
        }
        h.type(s(kind_.typed));
    }

    // The connection back as the watchdog leaves it, with no fault armed.
    void reconnect() {
        injector->arm(Fault::None, 0);
        if (!h.db.connection().isOpen()) {
            ASSERT_TRUE(h.db.connection().open().ok());
        }
    }

    Counts counts() {
        Counts counts;
        for (const QString& table : kLogTables) {
            counts[table] = h.count(QStringLiteral("SELECT COUNT(*) FROM ") + table);
        }
        return counts;
    }

    int pulses() const { return static_cast<int>(h.outputs.pulses.size()); }

    DecisionHarness h;
    std::optional<FaultInjector> injector;

private:
    const Kind& kind_;
    std::unique_ptr<SecondUnit> unit_;
};

Counts difference(const Counts& after, const Counts& before) {
    Counts delta;
    for (auto it = after.begin(); it != after.end(); ++it) {
        delta[it.key()] = it.value() - before.value(it.key());
    }
    return delta;
}

bool nothingChanged(const Counts& delta) {
    for (const int change : delta) {
        if (change != 0) {
            return false;
        }
    }
    return true;
}

// The table an INSERT or DELETE statement changes; empty for a read.
QString changedTable(const QString& sql) {
    static const QRegularExpression write(
        QStringLiteral(R"(^\s*(?:INSERT\s+INTO|DELETE\s+FROM)\s+(\w+))"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = write.match(sql);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString lastChangedTable(const QStringList& statements) {
    QString table;
    for (const QString& sql : statements) {
        if (const QString changed = changedTable(sql); !changed.isEmpty()) {
            table = changed;
        }
    }
    return table;
}

bool writeFailureShown(const DecisionHarness& h) {
    return !h.aviso.boxes.empty() &&
           h.aviso.boxes.back().text == QLatin1String("Gravando na tabela !");
}

class DatabaseFaults : public ::testing::TestWithParam<Kind> {};

// A clean run gives the statements and commits of one identification; then each of them
// fails in turn, and so does the connection before each statement. Whatever fails, the
// outcome's rows are all there or none is, the partner-pass release goes only with them,
// the turnstile opens only for committed rows, the failure is in the exception log, and the
// terminal serves the next person (after reopening when the write failure closed it).
TEST_P(DatabaseFaults, EachStatementAndCommitFailsInTurn) {
    const Kind& kind = GetParam();
    Club clean(kind);
    const Counts before = clean.counts();
    clean.injector->arm(Fault::None, 0);
    clean.identify();
    const int statements = clean.injector->statements();
    const int commits = clean.injector->commits();
    const QStringList seen = clean.injector->seen();
    const Counts rows = difference(clean.counts(), before);
    ASSERT_TRUE(clean.h.errorLog.messages.isEmpty())
        << clean.h.errorLog.messages.join(QLatin1Char('\n')).toStdString();
    ASSERT_FALSE(writeFailureShown(clean.h));
    ASSERT_FALSE(nothingChanged(rows));
    ASSERT_EQ(commits, 1) << "one transaction per outcome";
    ASSERT_EQ(clean.pulses(), kind.granted ? 1 : 0);
    ASSERT_GT(statements, 2);

    struct Attempt {
        Fault fault;
        int index;
    };
    std::vector<Attempt> attempts;
    for (int i = 1; i <= statements; ++i) {
        attempts.push_back({Fault::FailStatement, i});
        attempts.push_back({Fault::Drop, i});
    }
    for (int i = 1; i <= commits; ++i) {
        attempts.push_back({Fault::FailCommit, i});
    }

    std::cout << "[ figures  ] " << kind.name << ": " << statements << " statements, " << commits
              << " commit, " << attempts.size() << " faults injected\n";
    for (const Attempt& attempt : attempts) {
        SCOPED_TRACE(
            std::string(faultName(attempt.fault)) + " " + std::to_string(attempt.index) + ": " +
            (attempt.fault == Fault::FailCommit ? std::string("commit")
                                                : seen.value(attempt.index - 1).toStdString()));
        Club run(kind);
        const Counts start = run.counts();
        run.injector->arm(attempt.fault, attempt.index);
        run.identify();
        ASSERT_TRUE(run.injector->fired());
        const QString hit = run.injector->hit();
        run.reconnect();

        const Counts delta = difference(run.counts(), start);
        const bool committed = delta == rows;
        EXPECT_TRUE(committed || nothingChanged(delta)) << "partial or doubled rows";
        if (!committed) {
            EXPECT_EQ(run.pulses(), 0);
            EXPECT_EQ(run.h.observer.releases, 0);
            EXPECT_FALSE(run.h.observer.statusTexts.contains(s("Acesso Livre")));
        } else {
            EXPECT_LE(run.pulses(), clean.pulses());
        }
        ASSERT_FALSE(run.h.errorLog.messages.isEmpty());
        if (attempt.fault != Fault::Drop) {
            EXPECT_TRUE(run.h.errorLog.messages.join(QLatin1Char('\n'))
                            .contains(FaultInjector::injectedText()))
                << run.h.errorLog.messages.join(QLatin1Char('\n')).toStdString();
        }

        const QString failedWrite =
            attempt.fault == Fault::FailCommit ? lastChangedTable(seen) : changedTable(hit);
        if (!failedWrite.isEmpty()) {
            ASSERT_TRUE(writeFailureShown(run.h));
            EXPECT_EQ(run.h.aviso.boxes.back().kind, s("!"));
            EXPECT_EQ(run.h.aviso.boxes.back().detail,
                      kind.failureDetail != nullptr ? s(kind.failureDetail) : failedWrite);
            EXPECT_TRUE(run.h.screen().state().closeRequested);
            EXPECT_FALSE(committed);
        } else {
            EXPECT_FALSE(writeFailureShown(run.h));
            expectIdle(run.h.screen().state());
        }

        // The next person: on the same screen after an error it survived, on a screen
        // opened again after a write failure closed it.
        if (run.h.screen().state().closeRequested) {
            run.h.open();
        }
        if (committed && kind.granted && rows.value(s("LiberaGympass")) < 0) {
            addReleases(run.h); // the release was used up: a new one for the second visit
        }
        const Counts again = run.counts();
        const int pulsesBefore = run.pulses();
        run.identify();
        EXPECT_EQ(difference(run.counts(), again), rows) << "the next identification";
        EXPECT_EQ(run.pulses() - pulsesBefore, clean.pulses());
        expectIdle(run.h.screen().state());
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, DatabaseFaults, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace orvalen::test
