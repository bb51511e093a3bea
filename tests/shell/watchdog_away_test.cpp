#include "recording_aviso.h"
#include "shell/watchdog.h"
#include "support/decision_harness.h"
#include "support/qstring_printer.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <iostream>

namespace orvalen::shell {
namespace {

const QString kStudent = QStringLiteral("0000000101");

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

// A club whose database goes away under the terminal and comes back, reached directly and
// along the ODBC driver path that serves SQL Server.
class DatabaseAway : public ::testing::TestWithParam<test::Route> {
protected:
    DatabaseAway() : h(GetParam()) {
        h.addStudent(kStudent);
        h.open();
        folder = h.db.folder();
    }

    Watchdog::DataLink dataLink() {
        return [this] {
            return store::Result<store::ConnectionSpec>(test::sqliteSpec(h.db.file(), GetParam()));
        };
    }

    // The connection breaks and the database's folder is no longer there.
    void goAway() {
        h.db.connection().close();
        ASSERT_TRUE(QDir().rename(folder, folder + QStringLiteral(".away")));
    }
    void comeBack() { ASSERT_TRUE(QDir().rename(folder + QStringLiteral(".away"), folder)); }

    test::DecisionHarness h;
    QString folder;
    test::RecordingAviso aviso;
};

TEST_P(DatabaseAway, TheTerminalServesAgainOneAttemptAfterTheDatabaseReturns) {
    Watchdog watchdog(h.db.connection(), dataLink(), aviso, {});
    goAway();
    // A person at the turnstile meanwhile: the error is logged and the screen stays usable.
    h.type(kStudent);
    EXPECT_FALSE(h.errorLog.messages.isEmpty());
    EXPECT_TRUE(h.screen().state().EDTMATRICULA.enabled);
    EXPECT_TRUE(h.outputs.pulses.empty());

    int boxes = 0;
    aviso.whileOpen = [&] {
        watchdog.Timer1Timer(); // a tick while the box is up does nothing
        if (++boxes == 3) {
            comeBack();
        }
    };
    watchdog.Timer1Timer();
    // The box of the failed probe, one per failed attempt, and none after the return.
    EXPECT_EQ(boxes, 3);
    EXPECT_TRUE(watchdog.enabled());
    EXPECT_TRUE(h.db.connection().isOpen());

    aviso.whileOpen = nullptr;
    h.type(kStudent);
    EXPECT_EQ(h.count(QStringLiteral("SELECT COUNT(*) FROM AcessoDia WHERE STATUS = 'L'")), 1);
    EXPECT_EQ(h.outputs.pulses.size(), 1u);
    watchdog.Timer1Timer();
    EXPECT_EQ(boxes, 3);
}

TEST_P(DatabaseAway, ADatabaseThatStaysAwayKeepsTheLoopGoingInFlatMemory) {
    constexpr int kWarmUp = 200;
    constexpr int kAttempts = 3000;
    Watchdog watchdog(h.db.connection(), dataLink(), aviso, {});
    goAway();
    int boxes = 0;
    long startKb = 0;
    long endKb = 0;
    aviso.whileOpen = [&] {
        watchdog.Timer1Timer();
        aviso.shown.clear(); // the recording is not the terminal's memory
        ++boxes;
        if (boxes == kWarmUp) {
            startKb = residentKb();
        } else if (boxes == kAttempts) {
            endKb = residentKb();
            comeBack();
        }
    };
    watchdog.Timer1Timer();
    EXPECT_EQ(boxes, kAttempts);
    EXPECT_TRUE(watchdog.enabled());
    std::cout << "[ figures  ] " << test::routeName(GetParam()).toStdString() << ": resident "
              << startKb << " kB after " << kWarmUp << " attempts, " << endKb << " kB after "
              << kAttempts << '\n';
    EXPECT_LT(endKb - startKb, 1024) << "memory grows while the database stays away";
}

INSTANTIATE_TEST_SUITE_P(Routes, DatabaseAway,
                         ::testing::Values(test::Route::Direct, test::Route::Odbc),
                         [](const auto& info) {
                             return test::routeName(info.param).toStdString();
                         });

} // namespace
} // namespace orvalen::shell
