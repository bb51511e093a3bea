#pragma once

#include <QList>
#include <QString>
#include <QTextStream>

namespace orvalen::tool {

// What the doctor found: problems with what to do about them, and the facts of a healthy
// installation for the summary.
class DoctorReport {
public:
    void problem(const QString& what, const QString& fix) { problems_.append({what, fix}); }
    void fact(const QString& text) { facts_.append(text); }

    bool healthy() const { return problems_.isEmpty(); }

    // Every problem with its remedy, or the short summary when there is none.
    void print(QTextStream& out, const QString& folder) const;

private:
    struct Problem {
        QString what;
        QString fix;
    };
    QList<Problem> problems_;
    QStringList facts_;
};

} // namespace orvalen::tool
