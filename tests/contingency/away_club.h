#pragma once

#include "store/connection.h"
#include "support/doctor_installation.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace orvalen::test {

// A small demo club (contingency on) whose club.db a test can take away and bring back,
// as a network that drops would, with the support commands run on its folder.
class AwayClub {
public:
    AwayClub();

    ToolRun tool(QStringList arguments) const;        // any command, on this folder
    ToolRun contingency(const QString& action) const; // orvalen contingency ACTION
    ToolRun identify(const QString& text, const QString& at = QStringLiteral("10:00")) const;

    void away() const; // club.db renamed away
    void back() const; // and back

    // The first column of the first row of `sql` on the club database (after back()).
    QVariant clubValue(const QString& sql) const;
    QString clubPath() const { return demo_.file(QStringLiteral("club.db")); }
    QString copyPath() const { return demo_.file(QStringLiteral("contingency-copy.db")); }
    QString folder() const { return demo_.folder(); }
    const DemoInstallation& demo() const { return demo_; }

private:
    DemoInstallation demo_;
};

// Dies, as a terminal switched off would, just before the N-th statement or commit of the
// connections it watches (exit status 9); only counts them when N is 0.
class KillingGate : public store::StatementGate {
public:
    explicit KillingGate(int at) : at_(at) {}
    std::optional<store::Error> beforeStatement(QSqlDatabase&, const QString&) override;
    std::optional<store::Error> beforeCommit(QSqlDatabase&) override;
    int steps() const { return steps_; }

private:
    void step();
    int at_;
    int steps_ = 0;
};

// Runs `body` in a child process of its own, on the files as they are now, and gives how
// the child ended (its exit status, or -1 when it did not exit).
int childExit(const std::function<void()>& body);

// The numbers of the demo catalogue with the situation they stand for.
QList<std::pair<QString, QString>> catalogueNumbers(const QString& folder);

} // namespace orvalen::test
