#include "app/tool/bench_people.h"

#include <QRandomGenerator>

namespace orvalen::tool {

namespace {

// Shares of the people who are not students, in hundredths.
constexpr int kEmployeeShare = 4;
constexpr int kVisitorShare = 3;
constexpr int kLongestNameBeginning = 5;

// The values of the statement's first column, blanks dropped; `missing`, when given, is the
// error for none.
store::Result<QStringList> column(const store::ClubConnection& club, const QString& sql,
                                  const QString& missing = {}) {
    auto rows = club.execute(sql);
    if (!rows.ok()) {
        return rows.error();
    }
    QStringList values;
    while (rows->next()) {
        const QString value = rows->value(0).toString().trimmed();
        if (!value.isEmpty()) {
            values << value;
        }
    }
    if (values.isEmpty() && !missing.isEmpty()) {
        return store::Error{missing};
    }
    return values;
}

// An employee's number as his badge is typed: "00" and the number without its zeros, or
// the ten characters of a "91" number.
QString typedEmployee(const QString& number) {
    if (number.startsWith(QLatin1String("91"))) {
        return number;
    }
    bool ok = false;
    const qlonglong value = number.toLongLong(&ok);
    return ok ? QStringLiteral("00%1").arg(value) : number;
}

QString typedStudent(const QString& number) {
    bool ok = false;
    const qlonglong value = number.toLongLong(&ok);
    return ok && value > 0 ? QString::number(value) : number;
}

} // namespace

store::Result<QStringList> choosePeople(const store::ClubConnection& club, int count,
                                        quint32 seed) {
    const auto students = column(club, QStringLiteral("SELECT MATRICULA FROM AlunosAtivos"),
                                 QStringLiteral("AlunosAtivos has no members to identify"));
    if (!students.ok()) {
        return students.error();
    }
    const auto employees = column(club, QStringLiteral("SELECT MATRICULA FROM Funcionarios"));
    if (!employees.ok()) {
        return employees.error();
    }
    QRandomGenerator random(seed);
    QStringList people;
    for (int i = 0; i < count; ++i) {
        const int roll = random.bounded(100);
        if (roll < kVisitorShare) {
            people << QStringLiteral("0000999999");
        } else if (roll < kVisitorShare + kEmployeeShare && !employees->isEmpty()) {
            people << typedEmployee(employees->at(random.bounded(int(employees->size()))));
        } else {
            people << typedStudent(students->at(random.bounded(int(students->size()))));
        }
    }
    return people;
}

store::Result<QStringList> chooseNameBeginnings(const store::ClubConnection& club, int count,
                                                quint32 seed) {
    const auto names = column(club, QStringLiteral("SELECT NOME FROM AlunosAtivos"),
                              QStringLiteral("AlunosAtivos has no names to search"));
    if (!names.ok()) {
        return names.error();
    }
    QRandomGenerator random(seed);
    QStringList beginnings;
    for (int i = 0; i < count; ++i) {
        beginnings << names->at(random.bounded(int(names->size()))).left(kLongestNameBeginning);
    }
    return beginnings;
}

} // namespace orvalen::tool
