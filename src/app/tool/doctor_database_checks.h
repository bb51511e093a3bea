#pragma once

#include "app/tool/doctor_report.h"
#include "store/connection.h"

#include <QDate>
#include <QStringList>

namespace orvalen::tool {

// What the data-link checks need to know about the club database.
struct ClubFacts {
    bool hasBranches = false;    // Filial has rows: the branch button is offered
    bool portalBookings = false; // Sacvar2.AgendamentoAulaPortal is "Sim"
};

// The schema, both settings rows, the numbers kept in settings text and the cash period of
// the club database; `today` is the date the login compares the cash period with.
ClubFacts checkClubDatabase(const store::ClubConnection& connection, const QDate& today,
                            DoctorReport& report);

// The tables another database must have for the datasets that move to it.
void checkTables(const store::ClubConnection& connection, const QString& what,
                 const QStringList& tables, DoctorReport& report);

} // namespace orvalen::tool
