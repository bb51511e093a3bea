#include "store/stored_date_time.h"

#include <QDateTime>
#include <QRegularExpression>

namespace orvalen::store {

namespace {

const QDate kZeroDate(1899, 12, 30);

// The time of a value: hours, minutes, optional seconds and a fraction of any length, of
// which the milliseconds count (cut, never rounded into the next second).
QTime timeOf(const QString& hours, const QString& minutes, const QString& seconds,
             const QString& fraction) {
    const int ms = fraction.isEmpty() ? 0 : fraction.left(3).leftJustified(3, u'0').toInt();
    return QTime(hours.toInt(), minutes.toInt(), seconds.isEmpty() ? 0 : seconds.toInt(), ms);
}

// The time a form captured from group `first` on, or midnight when it has none.
QTime capturedTime(const QRegularExpressionMatch& m, int first) {
    return m.captured(first).isEmpty() ? QTime(0, 0)
                                       : timeOf(m.captured(first), m.captured(first + 1),
                                                m.captured(first + 2), m.captured(first + 3));
}

const QString kTime =
    QStringLiteral("(?:[T ]+(\\d{1,2}):(\\d{2})(?::(\\d{2})(?:[.,:](\\d{1,9}))?)?)?");

// yyyy-MM-dd with or without a time, 'T' or blank between, and a zone that is ignored.
const QRegularExpression& isoForm() {
    static const QRegularExpression form(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})") + kTime +
                                         QStringLiteral("\\s*(?:Z|[+-]\\d{2}(?::?\\d{2})?)?$"));
    return form;
}

// dd/MM/yyyy as a Brazilian back office writes it, with or without a time.
const QRegularExpression& brazilianForm() {
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})") + kTime +
                                         QStringLiteral("$"));
    return form;
}

// "Oct 31 2026 12:00AM" or "Oct 31 2026 12:00:00:000AM": a date-time converted to text by
// the server or the TDS library in their default style.
const QRegularExpression& monthNameForm() {
    static const QRegularExpression form(
        QStringLiteral("^([A-Za-z]{3})\\s+(\\d{1,2})\\s+(\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})"
                       "(?::(\\d{2})(?:[.:](\\d{1,9}))?)?\\s*([AaPp][Mm])?)?$"));
    return form;
}

// A time of day alone, as a SQL Server time column or another back-office version gives it.
const QRegularExpression& timeOfDayForm() {
    static const QRegularExpression form(
        QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2})(?:[.,](\\d{1,9}))?)?$"));
    return form;
}

int monthOfName(const QString& name) {
    static const QStringList names{
        QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mar"), QStringLiteral("apr"),
        QStringLiteral("may"), QStringLiteral("jun"), QStringLiteral("jul"), QStringLiteral("aug"),
        QStringLiteral("sep"), QStringLiteral("oct"), QStringLiteral("nov"), QStringLiteral("dec")};
    return static_cast<int>(names.indexOf(name.toLower())) + 1;
}

// A 12-hour clock's hour on the 24-hour clock: 12AM is 0, 12PM is 12.
QString hourOf24(const QString& hour, const QString& meridiem) {
    if (meridiem.isEmpty()) {
        return hour;
    }
    const int h = hour.toInt() % 12;
    return QString::number(meridiem.toUpper() == QLatin1String("PM") ? h + 12 : h);
}

struct Pieces {
    QDate date;
    QTime time;
};

// The date and time of a text value; both invalid when it is none of the forms or names a
// day or time that does not exist ("0000-00-00", "31/02/2026", "25:00").
Pieces readText(const QString& text) {
    QRegularExpressionMatch m = isoForm().match(text);
    if (m.hasMatch()) {
        return {QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()),
                capturedTime(m, 4)};
    }
    m = brazilianForm().match(text);
    if (m.hasMatch()) {
        return {QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt()),
                capturedTime(m, 4)};
    }
    m = monthNameForm().match(text);
    if (m.hasMatch()) {
        const bool twelveHour = !m.captured(8).isEmpty();
        const int hour = m.captured(4).toInt();
        const bool hourFits = !twelveHour || (hour >= 1 && hour <= 12);
        return {QDate(m.captured(3).toInt(), monthOfName(m.captured(1)), m.captured(2).toInt()),
                m.captured(4).isEmpty() ? QTime(0, 0)
                : hourFits ? timeOf(hourOf24(m.captured(4), m.captured(8)), m.captured(5),
                                    m.captured(6), m.captured(7))
                           : QTime()};
    }
    m = timeOfDayForm().match(text);
    if (m.hasMatch()) {
        return {kZeroDate, capturedTime(m, 1)};
    }
    return {};
}

Pieces readVariant(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::QDateTime: {
        // A driver builds its date-time in the machine's zone; one that fell into a
        // summer-time gap there is "invalid" yet still holds the day and time it was given.
        const QDateTime dateTime = value.toDateTime();
        return {dateTime.date(), dateTime.time()};
    }
    case QMetaType::QDate:
        return {value.toDate(), QTime(0, 0)};
    case QMetaType::QTime:
        return {kZeroDate, value.toTime()};
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return readText(value.toString().trimmed());
    default:
        // A number is no date: the day counts of the back-office platform and of the
        // server start on different days, so none is guessed.
        return {};
    }
}

bool blank(const QVariant& value) {
    if (value.isNull() || !value.isValid()) {
        return true;
    }
    const int type = value.metaType().id();
    return (type == QMetaType::QString || type == QMetaType::QByteArray) &&
           value.toString().trimmed().isEmpty();
}

} // namespace

StoredDateTime StoredDateTime::read(const QVariant& value) {
    StoredDateTime read;
    if (blank(value)) {
        return read;
    }
    read.stored_ = value.toString();
    const Pieces pieces = readVariant(value);
    if (!pieces.date.isValid() || !pieces.time.isValid()) {
        read.kind_ = Kind::Unreadable;
        return read;
    }
    read.kind_ = Kind::Value;
    read.date_ = pieces.date;
    read.time_ = pieces.time;
    return read;
}

QString unreadableDateMessage(const QString& column, const QString& number,
                              const StoredDateTime& value) {
    return QStringLiteral("%1 of %2 holds \"%3\", which is not a date: read as filled")
        .arg(column, number, value.stored());
}

} // namespace orvalen::store
