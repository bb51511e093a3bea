#pragma once

#include "support/terminal_fixture.h"
#include "support/test_database.h"

#include <QString>

namespace orvalen::test {

// A second unit of the club: its own SQLite database with the full schema, listed in the
// own database's Filial, with OrvalenFilial.udl in the own data-link folder pointing
// anywhere until a unit is chosen.
class SecondUnit {
public:
    static constexpr double kCode = 7;
    static inline const QString kFee = QStringLiteral("LJ");
    static inline const QString kFeeName = QStringLiteral("Livre Jardim");

    // Lists the unit in the club's Filial and writes the branch data link.
    explicit SecondUnit(TerminalFixture& club, double code = kCode) : SecondUnit(club.db(), code) {}
    explicit SecondUnit(TestDatabase& club, double code = kCode);

    TestDatabase& db() { return db_; }
    QString address() const { return db_.file(); }

    // An active student of this unit only, on a fee that lets him in freely.
    void addStudent(const QString& matricula, const QString& nome);

    // Lists another unit (the own one, say) in the club's Filial.
    static void listUnit(TerminalFixture& club, double code, const QString& name,
                         const QString& address) {
        listUnit(club.db(), code, name, address);
    }
    static void listUnit(TestDatabase& club, double code, const QString& name,
                         const QString& address);
    static void writeBranchDataLink(const QString& folder);

private:
    TestDatabase db_;
};

} // namespace orvalen::test
