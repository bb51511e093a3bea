#include "support/terminal_fixture.h"

#include "store/db_values.h"

#include <QBuffer>
#include <QImage>
#include <QSqlQuery>
#include <QStringList>

namespace orvalen::test {

namespace {

void insertRow(TestDatabase& db, const QString& table, const SettingValues& values) {
    QStringList names;
    QStringList markers;
    store::Bindings bindings;
    for (auto it = values.begin(); it != values.end(); ++it) {
        names << it.key();
        markers << QLatin1Char(':') + it.key();
        bindings.emplace_back(QLatin1Char(':') + it.key(), it.value());
    }
    db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(table, names.join(QLatin1Char(',')), markers.join(QLatin1Char(','))),
            bindings);
}

SettingValues merged(SettingValues defaults, const SettingValues& wanted) {
    for (auto it = wanted.begin(); it != wanted.end(); ++it) {
        defaults[it.key()] = it.value();
    }
    return defaults;
}

} // namespace

TerminalFixture::TerminalFixture(const SettingValues& sacvar, const SettingValues& sacvar2,
                                 Route route)
    : db_(route) {
    const store::Dialect& dialect = db_.connection().dialect();
    insertRow(db_, QStringLiteral("Sacvar"),
              merged({{QStringLiteral("CLIENTE"), 1.0},
                      {QStringLiteral("ROLETA"), QStringLiteral("NADA")},
                      {QStringLiteral("TIPO_ROLETA"), QStringLiteral("R")},
                      {QStringLiteral("ACESSO_PULSO"), QStringLiteral("500")},
                      {QStringLiteral("ACESSO_TEMPO"), QStringLiteral("3000")},
                      {QStringLiteral("PINPAD"), QStringLiteral("NADA")},
                      {QStringLiteral("PROCURAMATRICULANOME"), QStringLiteral("Sim")},
                      {QStringLiteral("MATRICULA_ACESSO"), QStringLiteral("Sim")},
                      {QStringLiteral("ACESSO_MATRICULA_NASC"), QStringLiteral("Não")},
                      {QStringLiteral("ACESSO_F2_BLOQUEIA"), QStringLiteral("Não")}},
                     sacvar));
    insertRow(db_, QStringLiteral("Sacvar2"),
              merged({{QStringLiteral("FILIAL"), QStringLiteral("01")},
                      {QStringLiteral("LEITOR_BIOMETRICO"), QStringLiteral("Não")},
                      {QStringLiteral("MATRICULADIGITAL"), QStringLiteral("Não")},
                      {QStringLiteral("Tipo_Leitor"), QStringLiteral("1")},
                      {QStringLiteral("VELOCIDADE"), 9600},
                      {QStringLiteral("DATABIT"), QStringLiteral("8")},
                      {QStringLiteral("STOPBIT"), QStringLiteral("1")},
                      {QStringLiteral("PARIDADE"), QStringLiteral("NADA")}},
                     sacvar2));
    insertRow(db_, QStringLiteral("caixa"),
              {{QStringLiteral("OPERADOR"), QStringLiteral("01")},
               {QStringLiteral("DATAABERTURA"),
                store::dateTimeValue(dialect, QDateTime(businessDate, QTime(0, 0)))},
               {QStringLiteral("TERMINO"), 0}});
    unit_.operatorCode = QStringLiteral("01");
    writer_ = std::make_unique<terminal::DatabaseLogWriter>(db_.connection());
}

terminal::TerminalScreen& TerminalFixture::show(int width, int height) {
    auto local = store::LocalSettings{};
    local.folder = db_.folder();
    screen_ = std::make_unique<terminal::TerminalScreen>(terminal::ScreenServices{
        db_.connection(), clock, pump, aviso, errorLog, *writer_,
        terminal::Devices{line != nullptr ? *line : readerLine, fingerprint}, unit_, local,
        nullptr});
    screen_->FormCreate(width, height);
    screen_->FormShow();
    screen_->FormActivate();
    return *screen_;
}

void TerminalFixture::addStudent(const QString& matricula, const QString& nome, const QDate& born,
                                 bool active) {
    const store::Dialect& dialect = db_.connection().dialect();
    db_.exec(QStringLiteral("INSERT INTO Alunos (Matricula) VALUES (:M)"),
             {{QStringLiteral(":M"), matricula}});
    if (active) {
        db_.exec(
            QStringLiteral(
                "INSERT INTO AlunosAtivos (MATRICULA, NOME, DATA_NASCIMENTO, DIA_VENCIMENTO) "
                "VALUES (:M, :N, :D, 10)"),
            {{QStringLiteral(":M"), matricula},
             {QStringLiteral(":N"), nome},
             {QStringLiteral(":D"), store::dateTimeValue(dialect, QDateTime(born, QTime(0, 0)))}});
    }
}

void TerminalFixture::addPhoto(const QString& matricula, const QByteArray& jpeg) {
    db_.exec(QStringLiteral("INSERT INTO FotosAlunos (MATRICULA, FOTO1) VALUES (:M, :F)"),
             {{QStringLiteral(":M"), matricula}, {QStringLiteral(":F"), jpeg}});
}

void TerminalFixture::addEmployee(const QString& matricula, const QString& nome) {
    db_.exec(QStringLiteral("INSERT INTO Funcionarios (MATRICULA, NOME) VALUES (:M, :N)"),
             {{QStringLiteral(":M"), matricula}, {QStringLiteral(":N"), nome}});
}

void TerminalFixture::addAccessRow(const QString& matricula, const QString& status,
                                   const QString& obs) {
    db_.exec(QStringLiteral("INSERT INTO Acesso (MATRICULA, STATUS, OBS) VALUES (:M, :S, :O)"),
             {{QStringLiteral(":M"), matricula},
              {QStringLiteral(":S"), status},
              {QStringLiteral(":O"), obs}});
}

void TerminalFixture::type(const QString& text) {
    for (const QChar character : text) {
        screen_->keyPressed(0, character);
    }
    screen_->keyPressed(0, QChar(terminal::kEnter));
}

int TerminalFixture::count(const QString& table) {
    return value(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
}

QVariant TerminalFixture::value(const QString& sql) {
    auto query = db_.connection().execute(sql);
    if (!query.ok() || !query->next()) {
        return {};
    }
    return query->value(0);
}

QByteArray jpegOf(const QColor& colour, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

} // namespace orvalen::test
