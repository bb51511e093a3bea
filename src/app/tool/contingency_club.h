#pragma once

#include "contingency/young_copy.h"
#include "desk/club_database.h"

#include <QTextStream>
#include <optional>

namespace orvalen::tool {

// The club database, or, when it does not answer and contingency is on, the copy young
// enough to decide from: as at the terminal, a command then decides from the copy.
struct ClubOrCopy {
    desk::OpenClub club;
    std::optional<contingency::CopyInfo> copy; // set when deciding from the copy
};

// Says on err why neither could be opened (as "orvalen COMMAND: ...").
std::optional<ClubOrCopy> openClubOrCopy(const QString& folder, const QString& command,
                                         QTextStream& err, store::OpenMode mode);

} // namespace orvalen::tool
