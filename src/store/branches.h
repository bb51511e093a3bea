#pragma once

#include "store/connection.h"
#include "store/local_settings.h"
#include "store/result.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace orvalen::store {

// A unit of the club as Filial lists it.
struct BranchRow {
    double cliente = 0; // the unit's code, written into CODIGO_FILIAL while it is in use
    QString nome;       // Nome_Unidade
    QString caminho;    // Caminho_Unidade: the unit's database address
};

// Filial ordered by CLIENTE.
Result<std::vector<BranchRow>> readBranches(const ClubConnection& own);

// The tables a unit's database must hold for the datasets that follow the branch choice:
// students, plans, fees and classes, and what the activity, due-date, photo, receipt,
// inactive-student and fingerprint-template lookups read.
const QStringList& branchTables();

// Why a unit could not be put in use.
enum class BranchFailure {
    DataLinkMissing, // OrvalenFilial.udl is not in the data-link folder
    Unreachable      // the file could not be rewritten or used, the database not reached,
                     // or a table of branchTables() is missing
};

struct BranchError {
    BranchFailure failure = BranchFailure::Unreachable;
    QString why; // for the exception log
};

// ADOConnectionOrvalenFilial for a unit: OrvalenFilial.udl of the data-link folder is pointed
// at the unit's address, the connection opened and every table of branchTables() checked.
// Only a connection that passed all of this comes back, so a failure leaves nothing half
// switched.
struct BranchConnection {
    std::unique_ptr<ClubConnection> connection;
    BranchError error;
    bool ok() const { return connection != nullptr; }
};
BranchConnection connectBranch(const LocalSettings& local, const QString& address);

inline constexpr auto kBranchConnectionName = "ADOConnectionOrvalenFilial";

} // namespace orvalen::store
