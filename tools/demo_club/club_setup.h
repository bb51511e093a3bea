#pragma once

#include "demo_club/row_writer.h"
#include "store/result.h"

#include <QString>

namespace orvalen::demo {

inline constexpr auto kClubName = "Academia Orvalen Centro";
inline constexpr auto kOperatorCode = "01";
inline constexpr auto kOperatorPassword = "1234";
inline constexpr auto kOperatorName = "Operador Demo";
inline constexpr auto kVisitorCard = "0000999999";
inline constexpr auto kMainDatabase = "club.db";
inline constexpr auto kBranchDatabase = "filial2.db";
inline constexpr double kMainBranchCode = 1;
inline constexpr double kSecondBranchCode = 2;

// A branch code as the two-character FILIAL columns carry it ("01").
QString branchText(double branchCode);

// The two settings rows (a keyboard terminal without turnstile or readers), the operators
// and the two branches.
store::Status writeClubSetup(RowWriter& writer);

} // namespace orvalen::demo
