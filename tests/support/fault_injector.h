#pragma once

#include "store/connection.h"

#include <QString>
#include <QStringList>

namespace orvalen::test {

// What goes wrong, and where.
enum class Fault {
    None,
    FailStatement, // the N-th statement returns an error and does not run
    FailCommit,    // the N-th commit returns an error; the transaction is rolled back
    Drop,          // the connection closes just before the N-th statement runs
};

const char* faultName(Fault fault);

// Watches a connection's statements and commits and fails one of them on request. It
// counts from the moment it is armed; a clean run gives the counts to aim at.
class FaultInjector : public store::StatementGate {
public:
    explicit FaultInjector(store::ClubConnection& connection);
    ~FaultInjector() override;
    FaultInjector(const FaultInjector&) = delete;
    FaultInjector& operator=(const FaultInjector&) = delete;

    // Starts counting again; `index` counts from 1. Fault::None only counts.
    void arm(Fault fault, int index);

    std::optional<store::Error> beforeStatement(QSqlDatabase& database,
                                                const QString& sql) override;
    std::optional<store::Error> beforeCommit(QSqlDatabase& database) override;

    int statements() const { return statements_.size(); }
    int commits() const { return commits_; }
    // Each statement seen since arming, in order.
    const QStringList& seen() const { return statements_; }
    bool fired() const { return fired_; }
    // The statement the fault hit (empty for a commit).
    const QString& hit() const { return hit_; }

    static QString injectedText() { return QStringLiteral("injected database fault"); }

private:
    store::ClubConnection& connection_;
    Fault fault_ = Fault::None;
    int index_ = 0;
    QStringList statements_;
    int commits_ = 0;
    bool fired_ = false;
    QString hit_;
};

} // namespace orvalen::test
