#pragma once

#include <QColor>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace orvalen::demo {

struct Receipt {
    int month = 1;
    int year = 2000;
};

// One active student as the generator lays it down in AlunosAtivos and its side tables.
struct DemoMember {
    QString number;
    QString name;
    QDate birth;
    QDate registered;
    QDate left;
    QDate medical;
    QDate functional;
    QDate locked;
    QDate transferUntil;
    QDate scholarshipUntil;
    int dueDay = 10;
    QString fee;  // MODALIDADE
    QString plan; // PLANOS
    QStringList classes;
    QStringList activities;
    QString message;
    bool scholar = false;
    bool hold = false;
    bool gympass = false;
    double pending = 0;
    double discount = 0;
    QList<Receipt> receipts;
    QColor colour;
};

struct DemoEmployee {
    QString number;
    QString name;
    QString role;
    QDate birth;
    QDate dismissed;
    QString allowedMonth; // ACESSOLIBERADO, "MM/YYYY" or empty
    QColor colour;
};

// A class booked for a day (FrequenciaAula) against a group class (AulasColetivas).
struct Booking {
    QString number;
    QDate day;
    int classCode = 0;
    QString activity; // starts with the two-character activity code
};

// One line of the member catalogue: which number shows which situation.
struct CatalogueEntry {
    QString situation;
    QString number;
    QString description;
};

// Everything of one database that depends on the business date and the seed.
struct ClubPlan {
    QList<DemoMember> members;
    QStringList formerStudents; // in Alunos only
    QList<DemoEmployee> employees;
    QList<Booking> bookings;
    QStringList gympassReleases; // released for the business date
    QList<CatalogueEntry> catalogue;
    // Members on file with nothing special: paid up, no class, no restriction (the demo's
    // fingers are enrolled to the first of them).
    QStringList plainPaidUp;
};

// Grace days after a due date in the demo's settings; the payment patterns rely on it.
inline constexpr int kToleranceDays = 5;
// Validity of an assessment in months in the demo's settings.
inline constexpr int kAssessmentMonths = 12;

// The head office: memberCount active students, the famous cases first.
ClubPlan planMainClub(int memberCount, const QDate& businessDate, quint32 seed);

// The second branch's own students.
ClubPlan planBranchClub(int memberCount, const QDate& businessDate, quint32 seed);

// Dates as the catalogue and the terminal write them: "dd/MM/yyyy" and "MM/yyyy".
QString shortDate(const QDate& date);
QString monthYear(const QDate& date);

// A ten-digit enrollment number with zeros in front.
QString enrollmentNumber(qint64 value);

} // namespace orvalen::demo
