#pragma once

#include <QString>
#include <optional>

namespace orvalen::terminal {

// The text read as a whole number: blanks around the digits are ignored, a blank between
// them (or any other character) makes it not a number.
std::optional<qlonglong> readWholeNumber(const QString& text);

// The number written with ten digits, zeros in front (pattern "0000000000").
QString tenDigits(qlonglong number);

// The birth-day suffix: the last two characters of an entry are the day of birth when
// the club asks for it, except in entries holding "999999" (visitor codes).
struct BirthDaySplit {
    QString rest;
    QString day;          // PSTR_DIA
    bool refused = false; // nothing left once the day is cut off
};
BirthDaySplit cutBirthDay(const QString& text, bool suffixInForce);

// What an entry is, told by its length and its first characters.
enum class EntryKind { Refused, Visitor, Employee, Student };

struct EntryClass {
    EntryKind kind = EntryKind::Refused;
    QString number; // the current enrollment number handed on (employees, students)
};

// Refused "999999"; visitors "9999999999" and "0000999999"; employees "00" + up to 7
// characters (as a ten-digit number) and ten characters beginning with "91"; anything else
// a student: in number mode read as a ten-digit number, or the text cut to 10 when it is
// not a number; in name mode the text cut to 10.
// A short "00" entry that is not a number names nobody and is refused.
EntryClass classifyEntry(const QString& text, bool numberMode);

} // namespace orvalen::terminal
