#include "store/statement_time.h"

#include <QSqlResult>
#include <QVariant>
#include <sql.h>
#include <sqlext.h>

namespace orvalen::store {

namespace {

// The ODBC statement handle behind a query of the QODBC driver; null for other drivers.
SQLHANDLE statementHandle(const QSqlQuery& query) {
    const QSqlResult* result = query.result();
    if (result == nullptr) {
        return nullptr;
    }
    const QVariant handle = result->handle();
    if (!handle.isValid() || handle.metaType() != QMetaType::fromType<SQLHANDLE>()) {
        return nullptr;
    }
    return *static_cast<const SQLHANDLE*>(handle.constData());
}

} // namespace

bool boundStatementTime(const QSqlQuery& query, int seconds) {
    const SQLHANDLE statement = statementHandle(query);
    if (statement == nullptr) {
        return false;
    }
    const SQLRETURN set = SQLSetStmtAttr(
        statement, SQL_ATTR_QUERY_TIMEOUT,
        reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(seconds)), SQL_IS_UINTEGER);
    return SQL_SUCCEEDED(set);
}

} // namespace orvalen::store
