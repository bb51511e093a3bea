#include "support/decision_harness.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace orvalen::test {
namespace {

const QString kStudent = QStringLiteral("0000000101");

// Another terminal (or the back office) writing the same SQLite file: its own connection
// holding the database's write lock, from its own thread, for a while.
class OtherWriter {
public:
    OtherWriter(const QString& file, std::chrono::milliseconds hold) {
        std::promise<bool> locked;
        lockedFuture_ = locked.get_future();
        thread_ = std::thread([file, hold, locked = std::move(locked)]() mutable {
            const QString name = QStringLiteral("other-writer");
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
                db.setDatabaseName(file);
                const bool holds =
                    db.open() && QSqlQuery(db).exec(QStringLiteral("BEGIN IMMEDIATE"));
                locked.set_value(holds);
                std::this_thread::sleep_for(hold);
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        });
    }
    ~OtherWriter() { thread_.join(); }

    bool locked() { return lockedFuture_.get(); }

private:
    std::future<bool> lockedFuture_;
    std::thread thread_;
};

// A write lock held a little while is waited for: the identification goes through.
TEST(BusyDatabase, AShortLockIsWaitedForAndTheGrantWritten) {
    DecisionHarness h;
    h.addStudent(kStudent);
    h.open();
    OtherWriter other(h.db.file(), std::chrono::milliseconds(400));
    ASSERT_TRUE(other.locked());
    h.identifyStudent(kStudent);
    EXPECT_TRUE(h.aviso.boxes.empty());
    EXPECT_FALSE(h.screen().state().closeRequested);
    EXPECT_EQ(h.outputs.pulses.size(), 1u);
    EXPECT_EQ(h.count(QStringLiteral("SELECT COUNT(*) FROM AcessoDia WHERE STATUS = 'L'")), 1);
    EXPECT_EQ(h.count(QStringLiteral("SELECT COUNT(*) FROM Acesso WHERE STATUS = 'L'")), 1);
}

// A lock held beyond the bound ends the wait: the write fails, is rolled back and reported
// as any failed write, and the turnstile stays shut.
TEST(BusyDatabase, ALockHeldTooLongEndsInTheWriteFailure) {
    DecisionHarness h;
    h.addStudent(kStudent);
    h.open();
    OtherWriter other(h.db.file(), std::chrono::milliseconds(store::kLockWaitMs + 1000));
    ASSERT_TRUE(other.locked());
    QElapsedTimer waited;
    waited.start();
    h.identifyStudent(kStudent);
    EXPECT_GE(waited.elapsed(), store::kLockWaitMs - 100);
    EXPECT_LT(waited.elapsed(), store::kLockWaitMs + 2500);
    ASSERT_EQ(h.aviso.boxes.size(), 1u);
    EXPECT_EQ(h.aviso.boxes[0].text, QStringLiteral("Gravando na tabela !"));
    EXPECT_EQ(h.aviso.boxes[0].detail, QStringLiteral("AcessoDia"));
    EXPECT_TRUE(h.screen().state().closeRequested);
    EXPECT_TRUE(h.outputs.pulses.empty());
    EXPECT_EQ(h.count(QStringLiteral("SELECT COUNT(*) FROM AcessoDia")), 0);
}

} // namespace
} // namespace orvalen::test
