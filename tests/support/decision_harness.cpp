#include "support/decision_harness.h"

#include "store/db_values.h"

#include <QSqlQuery>
#include <QStringList>
#include <gtest/gtest.h>

namespace orvalen::test {

namespace {

QVariant bindable(const store::Dialect& dialect, const QVariant& value) {
    if (value.metaType().id() == QMetaType::QDate)
        return store::dateValue(dialect, value.toDate());
    if (value.metaType().id() == QMetaType::QTime)
        return store::timeOfDayValue(dialect, value.toTime());
    return value;
}

} // namespace

DecisionHarness::DecisionHarness(Route route) : db(route) {
    insert("Sacvar", {{QStringLiteral("CLIENTE"), 1.0},
                      {QStringLiteral("ROLETA"), QStringLiteral("COM1")},
                      {QStringLiteral("TIPO_ROLETA"), QStringLiteral("A")},
                      {QStringLiteral("ACESSO_PULSO"), QStringLiteral("700")},
                      {QStringLiteral("ACESSO_TEMPO"), QStringLiteral("1500")},
                      {QStringLiteral("PINPAD"), QStringLiteral("NADA")},
                      {QStringLiteral("PROCURAMATRICULANOME"), QStringLiteral("Sim")},
                      {QStringLiteral("TOLERANCIA_ACESSO"), 5},
                      {QStringLiteral("VENCIMENTOFIXO"), 0},
                      {QStringLiteral("ULTIMO_DIA"), QStringLiteral("0")},
                      {QStringLiteral("BLOQUEIA_AVALIACAO_ACESSO"), QStringLiteral("NENHUMA")}});
    insert("Sacvar2", {{QStringLiteral("FILIAL"), QStringLiteral("01")},
                       {QStringLiteral("LEITOR_BIOMETRICO"), QStringLiteral("Não")},
                       {QStringLiteral("Tipo_Leitor"), QStringLiteral("0")},
                       {QStringLiteral("MATRICULADIGITAL"), QStringLiteral("Não")},
                       {QStringLiteral("Tec12ouBiometria"), QStringLiteral("Não")},
                       {QStringLiteral("TOLERANCIAENTRADA"), 0},
                       {QStringLiteral("QTD_ACESSO"), 0},
                       {QStringLiteral("ACESSO_PENDENCIA_BLOQUEIO"), QStringLiteral("Não")},
                       {QStringLiteral("Acesso_Agendamento"), QStringLiteral("Não")},
                       {QStringLiteral("AgendamentoAulaPortal"), QStringLiteral("Não")}});
    insert("caixa", {{QStringLiteral("OPERADOR"), QStringLiteral("01")},
                     {QStringLiteral("DATAABERTURA"), QDate(2021, 3, 15)},
                     {QStringLiteral("ATIVO"), 1}});
    insert("MENSALIDADES", {{QStringLiteral("CODIGO"), QStringLiteral("01")},
                            {QStringLiteral("DESCRICAO"), QStringLiteral("Musculação")},
                            {QStringLiteral("ACESSOLIVRE"), 0}});
    insert("MENSALIDADES", {{QStringLiteral("CODIGO"), QStringLiteral("02")},
                            {QStringLiteral("DESCRICAO"), QStringLiteral("Livre")},
                            {QStringLiteral("ACESSOLIVRE"), 1}});
    writer_ = std::make_unique<terminal::DatabaseLogWriter>(db.connection());
}

DecisionHarness::~DecisionHarness() = default;

void DecisionHarness::insert(const char* table, const QVariantMap& columns) {
    QStringList names;
    QStringList markers;
    store::Bindings bindings;
    for (auto it = columns.begin(); it != columns.end(); ++it) {
        names << it.key();
        markers << QLatin1Char(':') + it.key();
        bindings.emplace_back(QLatin1Char(':') + it.key(),
                              bindable(db.connection().dialect(), it.value()));
    }
    db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(QLatin1String(table), names.join(QStringLiteral(", ")),
                     markers.join(QStringLiteral(", "))),
            bindings);
}

void DecisionHarness::update(const char* table, const char* column, const QVariant& value) {
    db.exec(QStringLiteral("UPDATE %1 SET %2 = :VALUE")
                .arg(QLatin1String(table), QLatin1String(column)),
            {{QStringLiteral(":VALUE"), bindable(db.connection().dialect(), value)}});
}

void DecisionHarness::setSacvar(const char* column, const QVariant& value) {
    update("Sacvar", column, value);
}
void DecisionHarness::setSacvar2(const char* column, const QVariant& value) {
    update("Sacvar2", column, value);
}

void DecisionHarness::addStudent(const QString& matricula, const QVariantMap& columns) {
    QVariantMap row{{QStringLiteral("MATRICULA"), matricula},
                    {QStringLiteral("NOME"), QString(QStringLiteral("ALUNO ") + matricula)},
                    {QStringLiteral("DIA_VENCIMENTO"), 10},
                    {QStringLiteral("DATA_CADASTRADO"), QDate(2020, 1, 10)},
                    {QStringLiteral("DATA_NASCIMENTO"), QDate(1990, 7, 1)},
                    {QStringLiteral("MODALIDADE"), QStringLiteral("01")},
                    {QStringLiteral("BOLSISTA"), 0},
                    {QStringLiteral("BLOQUEIA_ROLETA"), 0},
                    {QStringLiteral("PENDENCIA"), 0.0},
                    {QStringLiteral("Gympass"), 0}};
    for (auto it = columns.begin(); it != columns.end(); ++it)
        row.insert(it.key(), it.value());
    insert("AlunosAtivos", row);
    insert("Alunos", {{QStringLiteral("Matricula"), matricula}});
    insert("RECEB", {{QStringLiteral("MATRICULA"), matricula},
                     {QStringLiteral("MES"), QStringLiteral("03")},
                     {QStringLiteral("ANO"), QStringLiteral("2021")}});
}

void DecisionHarness::addEmployee(const QString& matricula, const QVariantMap& columns) {
    QVariantMap row{{QStringLiteral("MATRICULA"), matricula},
                    {QStringLiteral("NOME"), QString(QStringLiteral("FUNCIONARIO ") + matricula)},
                    {QStringLiteral("CARGO"), QStringLiteral("Professor")},
                    {QStringLiteral("DATA_NASCIMENTO"), QDate(1985, 7, 1)}};
    for (auto it = columns.begin(); it != columns.end(); ++it)
        row.insert(it.key(), it.value());
    insert("Funcionarios", row);
}

void DecisionHarness::open() {
    store::LocalSettings local;
    local.folder = db.folder();
    terminal::ScreenServices services{db.connection(),
                                      clock,
                                      pump,
                                      aviso,
                                      errorLog,
                                      writer != nullptr ? *writer : *writer_,
                                      terminal::Devices{readerLine_, fingerprintReader != nullptr
                                                                         ? *fingerprintReader
                                                                         : fingerprint_},
                                      unit,
                                      local,
                                      &observer};
    services.captureScreen = captureScreen != nullptr ? captureScreen : &capture;
    services.turnstileOutputs = turnstileOutputs != nullptr ? turnstileOutputs : &outputs;
    services.connectionSwitch = connectionSwitch;
    screen_ = std::make_unique<terminal::TerminalScreen>(services);
    screen_->FormCreate(1024, 768);
    screen_->FormShow();
    pump.waits.clear();
}

void DecisionHarness::identifyStudent(const QString& matricula) {
    screen_->state().EDTMATRICULA.text = matricula;
    screen_->ALUNO();
}

void DecisionHarness::identifyEmployee(const QString& matricula) {
    screen_->state().EDTMATRICULA.text = matricula;
    unit.currentMatricula = matricula;
    screen_->FUNCIONARIO();
}

void DecisionHarness::type(const QString& text) {
    for (const QChar character : text) {
        screen_->keyPressed(0, character);
    }
    screen_->keyPressed(0, QChar(terminal::kEnter));
}

void expectIdle(const terminal::ScreenState& state) {
    EXPECT_TRUE(state.EDTMATRICULA.enabled);
    EXPECT_TRUE(state.EDTMATRICULA.visible);
    EXPECT_TRUE(state.EDTMATRICULA.text.isEmpty());
    EXPECT_TRUE(state.PNLACESSO.caption.isEmpty());
    EXPECT_FALSE(state.closeRequested);
}

int DecisionHarness::count(const QString& sqlCountStatement) {
    QSqlQuery query(db.connection().database());
    if (!query.exec(sqlCountStatement) || !query.next())
        return -1;
    return query.value(0).toInt();
}

} // namespace orvalen::test
