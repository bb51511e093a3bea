#include "store/schema.h"

#include "store/lookup_indexes.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace orvalen::store {

namespace {

using T = ColumnType;

Column text(const char* name, int size = 20) {
    return {QLatin1String(name), T::Text, size};
}
Column ansi(const char* name, int size) {
    return {QLatin1String(name), T::Ansi, size};
}
Column col(const char* name, ColumnType type) {
    return {QLatin1String(name), type, 0};
}

std::vector<Column> accessLogColumns() {
    return {text("MATRICULA", 10),    col("DATA", T::DateTime),
            col("HORA", T::DateTime), text("STATUS", 1),
            text("OBS", 30),          text("FILIAL", 2),
            text("NOME", 35),         col("CODIGO_FILIAL", T::Float)};
}

std::vector<Table> buildSchema() {
    std::vector<Table> tables;

    tables.push_back({QStringLiteral("Acesso"), accessLogColumns()});
    auto accessDay = accessLogColumns();
    accessDay.push_back(col("DIA_VENCIMENTO", T::Int16));
    accessDay.push_back(col("FOTO", T::Blob));
    tables.push_back({QStringLiteral("AcessoDia"), accessDay});
    tables.push_back({QStringLiteral("AcessoFuncionarios"),
                      {text("MATRICULA", 10), col("DATA", T::DateTime), col("HORA", T::DateTime),
                       text("OBS", 30), text("FILIAL", 2)}});
    tables.push_back({QStringLiteral("AcessoVisitantes"),
                      {col("ID", T::Identity), col("DATA", T::DateTime), col("HORA", T::DateTime),
                       text("USUARIO", 2), text("OBS", 30), text("FILIAL", 2)}});
    tables.push_back({QStringLiteral("LiberaGympass"),
                      {col("ID", T::Identity), text("Matricula", 10), col("Data", T::DateTime),
                       text("Operador", 2), text("Usuario", 2)}});

    tables.push_back({QStringLiteral("AlunosAtivos"),
                      {text("MATRICULA", 10),
                       text("NOME", 35),
                       col("DATA_NASCIMENTO", T::DateTime),
                       col("DIA_VENCIMENTO", T::Int16),
                       col("DATA_CADASTRADO", T::DateTime),
                       text("OBSERVACAO", 40),
                       col("DESCONTO", T::Float),
                       text("MODALIDADE", 2),
                       col("SAIDA", T::DateTime),
                       text("PLANOS", 2),
                       col("DATA_MEDICA", T::DateTime),
                       col("DATA_FUNCIONAL", T::DateTime),
                       text("TURMA_A", 7),
                       text("TURMA_B", 7),
                       text("TURMA_C", 7),
                       text("TURMA_D", 7),
                       text("MENSAGEM", 40),
                       text("TURMA_E", 7),
                       text("TURMA_F", 7),
                       col("VALIDADE_BOLSA", T::DateTime),
                       col("BOLSISTA", T::Bool),
                       col("DATA_TRANCAMENTO", T::DateTime),
                       col("REPASSE", T::DateTime),
                       col("PENDENCIA", T::Float),
                       col("BLOQUEIA_ROLETA", T::Bool),
                       col("Gympass", T::Bool),
                       ansi("DIGITAL", 1000)}});
    tables.push_back(
        {QStringLiteral("Alunos"), {text("Matricula", 10), col("Digital_Persona", T::Memo)}});
    tables.push_back({QStringLiteral("alunosinativos"), {text("matricula", 10)}});
    tables.push_back(
        {QStringLiteral("Funcionarios"),
         {text("MATRICULA", 10), text("NOME", 35), col("DATA_DEMISSAO", T::DateTime),
          text("CARGO", 15), col("DATA_NASCIMENTO", T::DateTime), text("ACESSOLIBERADO", 7),
          ansi("DIGITAL", 1000), col("Digital_Persona", T::Memo)}});
    for (const char* photos : {"FotosAlunos", "FotosFuncionarios"}) {
        tables.push_back({QLatin1String(photos),
                          {col("ID", T::Identity), text("MATRICULA", 10), col("FOTO1", T::Blob),
                           text("FILIAL", 2)}});
    }

    tables.push_back({QStringLiteral("PLANOS"), {text("CODIGO", 2), text("DESCRICAO", 20)}});
    tables.push_back({QStringLiteral("MENSALIDADES"),
                      {text("CODIGO", 2), text("DESCRICAO", 20), col("NUMERO", T::Int16),
                       col("VALOR", T::Money), col("ACESSOLIVRE", T::Bool)}});
    tables.push_back(
        {QStringLiteral("RECEB"), {text("MATRICULA", 10), text("MES", 2), text("ANO", 4)}});
    tables.push_back(
        {QStringLiteral("Turma"),
         {text("CODIGO", 7), text("DESCRICAO", 20), col("MAXIMO", T::Int16),
          col("ATIVOS", T::Int16), col("HORA_INICIAL", T::DateTime), col("HORA_FINAL", T::DateTime),
          col("TOLERANCIA", T::Float), col("SEG", T::Bool), col("TER", T::Bool),
          col("QUA", T::Bool), col("QUI", T::Bool), col("SEX", T::Bool), col("SAB", T::Bool),
          col("DOM", T::Bool), col("TOLERANCIA_ENTRADA", T::Float),
          col("TOLERANCIA_SAIDA", T::Float), text("FILIAL", 2), text("CODIGO_PROF", 10)}});
    tables.push_back({QStringLiteral("ATIVIDADES"), {text("CODIGO", 2), text("DESCRICAO", 20)}});
    tables.push_back(
        {QStringLiteral("ALUNOSATIVIDADES"),
         {col("ID", T::Identity), text("MATRICULA", 10), text("ATIVIDADE", 2), text("FILIAL", 2)}});
    tables.push_back({QStringLiteral("FrequenciaAula"),
                      {text("MATRICULA", 10), col("DATA", T::DateTime), col("CLIENTE", T::Float),
                       col("Codigo_Aula", T::Int32), text("ATIVIDADE", 20)}});
    tables.push_back({QStringLiteral("AulasColetivas"),
                      {col("Codigo", T::Int32), col("Cliente", T::Float),
                       col("HORA_INICIAL", T::DateTime), col("TOLERANCIA_ENTRADA", T::Float),
                       col("HORA_FINAL", T::DateTime), col("TOLERANCIA_SAIDA", T::Float)}});

    tables.push_back(
        {QStringLiteral("Filial"),
         {col("CLIENTE", T::Float), ansi("Nome_Unidade", 35), ansi("Caminho_Unidade", 50)}});
    tables.push_back({QStringLiteral("caixa"),
                      {text("OPERADOR", 2),
                       col("DATAABERTURA", T::DateTime),
                       col("HORAINICIAL", T::DateTime),
                       col("ATIVO", T::Bool),
                       col("SUPRIMENTO", T::Money),
                       col("SANGRIA", T::Money),
                       col("MATRICULA", T::Money),
                       col("MEDICA", T::Money),
                       col("FUNCIONAL", T::Money),
                       col("NUTRICIONISTA", T::Money),
                       col("MENSAL", T::Money),
                       col("PLANO", T::Money),
                       col("DINHEIRO", T::Money),
                       col("CHEQUE", T::Money),
                       col("CARTAO", T::Money),
                       col("DINHEIRO_OP", T::Money),
                       col("CHEQUE_OP", T::Money),
                       col("CARTAO_OP", T::Money),
                       col("SALDO_INICIAL", T::Money),
                       col("SALDO_FINAL", T::Money),
                       col("DATAFECHAMENTO", T::DateTime),
                       col("HORAFINAL", T::DateTime),
                       col("TERMINO", T::Bool),
                       text("USUARIO", 2),
                       col("PDR", T::Int16)}});
    tables.push_back(
        {QStringLiteral("CaixaControle"),
         {col("DATA", T::DateTime), col("CONTADORPDR", T::Int16), col("ABERTO", T::Bool)}});
    tables.push_back(
        {QStringLiteral("Usuarios"),
         {ansi("CODIGO", 2), ansi("NOME", 18), ansi("SENHA", 6), ansi("U_REACESSORETAGUARDA", 3)}});

    tables.push_back({QStringLiteral("Sacvar"),
                      {col("CLIENTE", T::Float),
                       ansi("ROLETA", 4),
                       ansi("TIPO_ROLETA", 1),
                       ansi("ACESSO_PULSO", 5),
                       ansi("ACESSO_TEMPO", 5),
                       ansi("PINPAD", 4),
                       ansi("PADRAOTEC12", 3),
                       ansi("PROCURAMATRICULANOME", 3),
                       ansi("MATRICULA_ACESSO", 3),
                       ansi("ACESSO_MATRICULA_NASC", 3),
                       ansi("ACESSO_F2_BLOQUEIA", 3),
                       ansi("ACESSO_DATA", 3),
                       ansi("ACESSO_HORA", 3),
                       ansi("ACESSO_MENSAGEM_GERAL", 20),
                       ansi("ACESSO_MENSAGEM", 3),
                       ansi("ACESSO_ANIVERSARIANTE", 3),
                       ansi("ACESSO_MEDICA", 3),
                       ansi("ACESSO_FUNCIONAL", 3),
                       ansi("ACESSO_FISICA", 3),
                       col("PRAZOAVALMED", T::Int16),
                       col("PRAZOAVALFUN", T::Int16),
                       col("TOLERANCIA_AVALIACAO", T::Int16),
                       ansi("BLOQUEIA_AVALIACAO_ACESSO", 9),
                       col("VENCIMENTOFIXO", T::Int16),
                       col("TOLERANCIA_ACESSO", T::Int16),
                       ansi("ULTIMO_DIA", 2),
                       col("LOGOACADEMIA1", T::Blob),
                       ansi("ACADEMIA", 35),
                       ansi("ENDERACADEMIA", 40),
                       ansi("COMPLEMENTO1", 40),
                       ansi("CNPJCPF", 40),
                       col("ACESSO_INTERVALO_TIMER", T::Int32),
                       col("ACESSO_RESPOSTA_TIMER", T::Int32),
                       col("ACESSO_TIMEOUT", T::Int32),
                       col("ACESSO_TEMPO_ESPERA", T::Int32),
                       col("ACESSO_INVERTE_PULSO", T::Bool),
                       ansi("C_MEDICA", 3),
                       ansi("C_FISICA", 3),
                       ansi("C_FUNCIONAL", 3),
                       col("PRAZOAVALFIS", T::Int16),
                       col("SAIDAALUNO", T::Int16),
                       col("SAIDAALUNODIAS", T::Int16),
                       ansi("TIPOTRANCAMENTO", 3),
                       ansi("TIPO_ENTRADA", 3),
                       col("NUMEROCOLETOR", T::Int16),
                       ansi("VELOCIDADE", 5)}});
    tables.push_back({QStringLiteral("Sacvar2"),
                      {text("FILIAL", 2),
                       ansi("USB_LPT", 3),
                       ansi("ENDERECO_LPT", 4),
                       ansi("CatracaWireless", 15),
                       col("VELOCIDADE", T::Int32),
                       text("DATABIT", 1),
                       text("STOPBIT", 1),
                       text("PARIDADE", 5),
                       ansi("Tec12USB", 3),
                       ansi("LEITOR_BIOMETRICO", 3),
                       ansi("Tipo_Leitor", 1),
                       text("MATRICULADIGITAL", 3),
                       ansi("Tec12ouBiometria", 3),
                       col("NIVAL_SEGURANCA_BIO", T::Int32),
                       col("TOLERANCIAENTRADA", T::Int32),
                       col("QTD_ACESSO", T::Int32),
                       text("ACESSO_PENDENCIA", 20),
                       text("ACESSO_PENDENCIA_BLOQUEIO", 3),
                       ansi("DIA_DATA_VENCIMENTO", 3),
                       ansi("Acesso_Agendamento", 3),
                       ansi("AgendamentoAulaPortal", 3),
                       text("INSC_MUNICIPAL", 15),
                       text("CAMINHO_VIDEO", 500),
                       text("LPT_3_17", 3),
                       col("VERSAO_LEITOR", T::Int32),
                       text("LINK_BIOMETRIA", 20)}});
    return tables;
}

} // namespace

const Column* Table::column(const QString& wanted) const {
    for (const Column& c : columns) {
        if (c.name.compare(wanted, Qt::CaseInsensitive) == 0) {
            return &c;
        }
    }
    return nullptr;
}

QStringList Table::columnNames() const {
    QStringList names;
    for (const Column& c : columns) {
        names << c.name;
    }
    return names;
}

const std::vector<Table>& clubSchema() {
    static const std::vector<Table> schema = buildSchema();
    return schema;
}

const Table* findTable(const QString& name) {
    for (const Table& t : clubSchema()) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &t;
        }
    }
    return nullptr;
}

QString declaredType(const Column& column, const Dialect& dialect) {
    const bool lite = dialect.isSqlite();
    switch (column.type) {
    case T::Text:
        return QStringLiteral("NVARCHAR(%1)").arg(column.size);
    case T::Ansi:
        return QStringLiteral("VARCHAR(%1)").arg(column.size);
    case T::Int16:
        return QStringLiteral("SMALLINT");
    case T::Int32:
        return QStringLiteral("INT");
    case T::Float:
        return QStringLiteral("FLOAT");
    case T::Money:
        return lite ? QStringLiteral("DECIMAL(19,4)") : QStringLiteral("MONEY");
    case T::Bool:
        return QStringLiteral("BIT");
    case T::DateTime:
        return QStringLiteral("DATETIME");
    case T::Date:
        return QStringLiteral("DATE");
    case T::Blob:
        return lite ? QStringLiteral("BLOB") : QStringLiteral("VARBINARY(MAX)");
    case T::Memo:
        return lite ? QStringLiteral("NTEXT") : QStringLiteral("NVARCHAR(MAX)");
    case T::Identity:
        return lite ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")
                    : QStringLiteral("INT IDENTITY(1,1) PRIMARY KEY");
    }
    return {};
}

Status createSchema(QSqlDatabase& db, const Dialect& dialect) {
    const QStringList existing = db.tables();
    auto exists = [&](const QString& name) {
        for (const QString& e : existing) {
            if (e.compare(name, Qt::CaseInsensitive) == 0) {
                return true;
            }
        }
        return false;
    };
    QStringList created;
    for (const Table& table : clubSchema()) {
        if (exists(table.name)) {
            continue;
        }
        QStringList defs;
        for (const Column& c : table.columns) {
            defs << c.name + QLatin1Char(' ') + declaredType(c, dialect);
        }
        QSqlQuery query(db);
        const QString ddl =
            QStringLiteral("CREATE TABLE %1 (%2)").arg(table.name, defs.join(QStringLiteral(", ")));
        if (!query.exec(ddl)) {
            return Error{QStringLiteral("cannot create table %1: %2")
                             .arg(table.name, query.lastError().text())};
        }
        created << table.name;
    }
    // The lookups' indexes: on SQLite every one still missing, elsewhere those of the tables
    // just created.
    for (const LookupIndex& index : lookupIndexes()) {
        if (!dialect.isSqlite() && !created.contains(index.table)) {
            continue;
        }
        QSqlQuery query(db);
        if (!query.exec(createIndexStatement(index, dialect))) {
            return Error{QStringLiteral("cannot create the index %1 on %2: %3")
                             .arg(index.name, index.table, query.lastError().text())};
        }
    }
    return Status::success();
}

QStringList missingFromSchema(const QSqlDatabase& db) {
    QStringList missing;
    const QStringList existing = db.tables();
    for (const Table& table : clubSchema()) {
        QString found;
        for (const QString& e : existing) {
            if (e.compare(table.name, Qt::CaseInsensitive) == 0) {
                found = e;
            }
        }
        if (found.isEmpty()) {
            missing << table.name;
            continue;
        }
        const QSqlRecord record = db.record(found);
        for (const Column& c : table.columns) {
            bool present = false;
            for (int i = 0; i < record.count() && !present; ++i) {
                present = record.fieldName(i).compare(c.name, Qt::CaseInsensitive) == 0;
            }
            if (!present) {
                missing << table.name + QLatin1Char('.') + c.name;
            }
        }
    }
    return missing;
}

} // namespace orvalen::store
