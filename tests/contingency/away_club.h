#pragma once

#include "support/doctor_installation.h"

#include <QString>
#include <QStringList>

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

// The numbers of the demo catalogue with the situation they stand for.
QList<std::pair<QString, QString>> catalogueNumbers(const QString& folder);

} // namespace orvalen::test
