#include "store/dialect.h"

namespace orvalen::store {

QString Dialect::concat(const QString& left, const QString& right) const {
    return isSqlite() ? left + QStringLiteral(" || ") + right : left + QStringLiteral("+") + right;
}

QString Dialect::substring(const QString& expr, int start, int length) const {
    const QString function = isSqlite() ? QStringLiteral("substr") : QStringLiteral("SUBSTRING");
    return QStringLiteral("%1(%2,%3,%4)").arg(function, expr).arg(start).arg(length);
}

QString Dialect::lastRowOrder() const {
    return isSqlite() ? QStringLiteral(" ORDER BY rowid DESC LIMIT 1") : QString();
}

QString Dialect::firstRowOnly(const QString& select) const {
    if (isSqlite()) {
        return select + QStringLiteral(" LIMIT 1");
    }
    QString limited = select;
    return limited.replace(0, 6, QStringLiteral("SELECT TOP 1"));
}

QString Dialect::heldForWrite(const QString& table) const {
    return isSqlite() ? table : table + QStringLiteral(" WITH (UPDLOCK, HOLDLOCK)");
}

} // namespace orvalen::store
