#include "store/branches.h"

#include "store/datalink.h"
#include "store/statement_catalogue.h"
#include "store/table_opening.h"

#include <QFileInfo>
#include <QSqlRecord>

namespace orvalen::store {

namespace {

const Statement kBranches{"TBLFILIAL", "branch choice: the club's branches",
                          "SELECT CLIENTE, Nome_Unidade, Caminho_Unidade FROM Filial "
                          "ORDER BY CLIENTE"};

} // namespace

Result<std::vector<BranchRow>> readBranches(const ClubConnection& own) {
    auto rows = own.fetchAll(kBranches.text(own.dialect()));
    if (!rows.ok()) {
        return rows.error();
    }
    std::vector<BranchRow> branches;
    for (const QSqlRecord& row : rows.value()) {
        branches.push_back(
            {row.value(0).toDouble(), row.value(1).toString(), row.value(2).toString()});
    }
    return branches;
}

const QStringList& branchTables() {
    static const QStringList tables{QStringLiteral("AlunosAtivos"),
                                    QStringLiteral("PLANOS"),
                                    QStringLiteral("MENSALIDADES"),
                                    QStringLiteral("Turma"),
                                    QStringLiteral("ALUNOSATIVIDADES"),
                                    QStringLiteral("ATIVIDADES"),
                                    QStringLiteral("RECEB"),
                                    QStringLiteral("FotosAlunos"),
                                    QStringLiteral("Alunos"),
                                    QStringLiteral("Funcionarios")};
    return tables;
}

namespace {

BranchConnection failed(BranchFailure failure, const QString& why) {
    return {nullptr, {failure, why}};
}

} // namespace

BranchConnection connectBranch(const LocalSettings& local, const QString& address) {
    const QString file = local.filePath(QLatin1String(kBranchDataLink));
    if (!QFileInfo::exists(file)) {
        return failed(BranchFailure::DataLinkMissing,
                      QStringLiteral("the data-link file %1 does not exist").arg(file));
    }
    if (const Status rewritten = rewriteBranchDataLink(file, address); !rewritten.ok()) {
        return failed(BranchFailure::Unreachable, rewritten.error().message);
    }
    auto spec = connectionSpecFromFile(file, local);
    if (!spec.ok()) {
        return failed(BranchFailure::Unreachable, spec.error().message);
    }
    // Opening a missing SQLite file would create an empty database where the unit's should be.
    if (spec->driver == QLatin1String("QSQLITE") && !QFileInfo::exists(spec->databaseName)) {
        return failed(BranchFailure::Unreachable,
                      QStringLiteral("the unit's database %1 named by %2 does not exist")
                          .arg(spec->databaseName, file));
    }
    auto connection =
        std::make_unique<ClubConnection>(spec.value(), QLatin1String(kBranchConnectionName));
    if (const Status opened = connection->open(); !opened.ok()) {
        return failed(BranchFailure::Unreachable, opened.error().message);
    }
    for (const QString& table : branchTables()) {
        if (const Status usable = checkTable(*connection, table); !usable.ok()) {
            return failed(BranchFailure::Unreachable,
                          QStringLiteral("the unit's database of %1 cannot serve %2: %3")
                              .arg(file, table, usable.error().message));
        }
    }
    return {std::move(connection), {}};
}

} // namespace orvalen::store
