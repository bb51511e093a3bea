#pragma once

#include "desk/club_database.h"
#include "terminal/terminal_screen.h"

#include <QString>
#include <QTextStream>
#include <optional>

namespace orvalen::tool {

// Opens the main data link of folder; nothing, after saying why on err (as "orvalen
// COMMAND: ..."), when the folder, the link or the database is at fault.
std::optional<desk::OpenClub> openClub(const QString& folder, const QString& command,
                                       QTextStream& err, store::OpenMode mode);

// The unit chosen as at the terminal: BBNFILIAL, then a double click on its row when the
// list opens. False, after saying why, when the unit is not there or could not be used.
bool chooseBranch(terminal::TerminalScreen& screen, double code, const QString& command,
                  QTextStream& err);

// Reads --branch's value, the unit's Filial.CLIENTE.
std::optional<double> branchCode(const QString& value, const QString& command, QTextStream& err);

} // namespace orvalen::tool
