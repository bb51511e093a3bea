#pragma once

#include "store/connection.h"
#include "store/local_settings.h"
#include "terminal/terminal_screen.h"

#include <QString>
#include <QTextStream>
#include <memory>
#include <optional>

namespace orvalen::tool {

// The club database of a data-link folder, opened for one command.
struct OpenedClub {
    store::LocalSettings local;
    std::unique_ptr<store::ClubConnection> connection;
};

// Opens the main data link of folder; nothing, after saying why on err (as "orvalen
// COMMAND: ..."), when the folder, the link or the database is at fault.
std::optional<OpenedClub> openClub(const QString& folder, const QString& command, QTextStream& err);

// Types the text as at the terminal: the first key opens the entry, the mode is the one
// asked for, then every character and Enter.
void typeIdentification(terminal::TerminalScreen& screen, const QString& text, bool nameMode);

// The unit chosen as at the terminal: BBNFILIAL, then a double click on its row when the
// list opens. False, after saying why, when the unit is not there or could not be used.
bool chooseBranch(terminal::TerminalScreen& screen, double code, const QString& command,
                  QTextStream& err);

// Reads --branch's value, the unit's Filial.CLIENTE.
std::optional<double> branchCode(const QString& value, const QString& command, QTextStream& err);

} // namespace orvalen::tool
