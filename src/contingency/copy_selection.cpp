#include "contingency/copy_selection.h"

#include "store/schema.h"
#include "store/statement_catalogue.h"

#include <QStringList>

namespace orvalen::contingency {

namespace {

// Only members who may come in are looked at; the others' receipts and photos would only
// make the copy slower to take. Alunos stays whole: it tells an inactive member from an
// unknown number.
const QString kActiveMember = QStringLiteral("MATRICULA IN (SELECT MATRICULA FROM AlunosAtivos)");
// The access rows of the day before and of today: the daily limit and the re-entry
// tolerance read today's, and a terminal may still be on yesterday's business date.
const QString kRecentRows = QStringLiteral("DATA >= :DESDE");

QString filterFor(const QString& table) {
    if (table == QLatin1String("RECEB") || table == QLatin1String("FotosAlunos")) {
        return kActiveMember;
    }
    if (table == QLatin1String("Acesso") || table == QLatin1String("AcessoFuncionarios") ||
        table == QLatin1String("AcessoVisitantes") || table == QLatin1String("FrequenciaAula")) {
        return kRecentRows;
    }
    return {};
}

} // namespace

std::vector<TableSelection> copySelection(bool photos) {
    std::vector<TableSelection> selection;
    for (const store::Table& table : store::clubSchema()) {
        if (!photos && table.name.startsWith(QLatin1String("Fotos"))) {
            continue;
        }
        selection.push_back({table.name, filterFor(table.name)});
    }
    return selection;
}

QString selectStatement(const TableSelection& selection) {
    const store::Table* table = store::findTable(selection.table);
    const QString columns = table->columnNames().join(QStringLiteral(", "));
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(columns, selection.table);
    if (!selection.where.isEmpty()) {
        sql += QStringLiteral(" WHERE ") + selection.where;
    }
    return sql;
}

namespace {

// Every table's statement of a copy, photos included.
std::vector<store::CatalogueEntry> copyEntries(const store::Dialect&) {
    std::vector<store::CatalogueEntry> entries;
    for (const TableSelection& selection : copySelection(true)) {
        entries.push_back({QStringLiteral("copy of ") + selection.table,
                           QStringLiteral("contingency copy: what the decisions read"),
                           selectStatement(selection)});
    }
    return entries;
}

const store::StatementFamily kCopy{&copyEntries};

} // namespace

} // namespace orvalen::contingency
