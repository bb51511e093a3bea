#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>

namespace orvalen::store {

// A date, date-time or time-of-day column as the club database gave it, in any of the
// forms the servers, drivers and back-office versions produce. The values are the club's
// wall clock as the back office wrote them: they are read without any time zone, so no
// summer-time change can move or lose one, and an offset written after a value is left
// aside. A filled value that does not read as a date is kept apart from an empty one:
// where a filled date refuses, an unreadable one must refuse too.
class StoredDateTime {
public:
    static StoredDateTime read(const QVariant& value);

    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isUnreadable() const { return kind_ == Kind::Unreadable; }
    bool hasValue() const { return kind_ == Kind::Value; }

    // The day and the time of day as written; both invalid unless there is a value. A
    // plain date has the time 00:00; a plain time of day the zero date 30/12/1899.
    QDate date() const { return date_; }
    QTime time() const { return time_; }

    // The value as the database held it, for the exception log.
    const QString& stored() const { return stored_; }

private:
    enum class Kind { Empty, Value, Unreadable };

    Kind kind_ = Kind::Empty;
    QDate date_;
    QTime time_;
    QString stored_;
};

// The exception-log line for a filled value that is not a date: the table and column,
// the person's number and the value.
QString unreadableDateMessage(const QString& column, const QString& number,
                              const StoredDateTime& value);

} // namespace orvalen::store
