#include "desk_client.h"
#include "support/qstring_printer.h"
#include "terminal/message_socket.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <gtest/gtest.h>
#include <iostream>

namespace orvalen::test {
namespace {

using namespace Qt::StringLiterals;

// The demo club's operator and members, as its demo-members.txt lists them.
const QString kOperator = u"01"_s;
const QString kPassword = u"1234"_s;
const QString kPaid = u"0000010001"_s;    // Bruna Rocha, "Acesso Livre"
const QString kOverdue = u"0000010004"_s; // Lívia Rocha Peixoto, "Sob Consulta !!!"

QJsonObject rowOf(const QJsonArray& rows, const QString& number) {
    for (const QJsonValue& row : rows) {
        if (row[u"number"_s].toString() == number)
            return row.toObject();
    }
    return {};
}

class DeskPage : public ::testing::Test {
protected:
    DeskUnderTest desk;
};

TEST_F(DeskPage, EveryPagePictureAndCallNeedsTheSession) {
    const QByteArray forged = "orvalen_desk=" + QByteArray(64, 'a');
    for (const QString& path :
         {u"/api/feed"_s, u"/api/session"_s, u"/api/members?q=L"_s, u"/api/member?number=10001"_s,
          u"/api/explain?number=10004&date=2026-12-10&time=10:00:00"_s,
          u"/photo?kind=aluno&number=10001"_s, u"/static/desk.js"_s}) {
        for (const QByteArray& cookie : {QByteArray(), forged}) {
            const DeskReply reply = desk.get(path, cookie);
            EXPECT_EQ(reply.status, 401) << path.toStdString() << ' ' << cookie.toStdString();
            EXPECT_FALSE(reply.body.contains("Rocha")) << path.toStdString();
        }
    }
    const DeskReply page = desk.get(u"/"_s);
    EXPECT_EQ(page.status, 303);
    EXPECT_EQ(page.header("Location"), "/login");
    EXPECT_EQ(desk.post(u"/api/release"_s, {}, {}, "x").status, 401);
    const DeskReply login = desk.get(u"/login"_s);
    EXPECT_EQ(login.status, 200);
    EXPECT_TRUE(login.header("Content-Security-Policy").contains("script-src 'self'"));
}

// A page of another site reaches the monitor only under its own name (DNS rebinding), and
// can post a form, never JSON without asking first.
TEST_F(DeskPage, RequestsOfAnotherSiteAreRefused) {
    const QByteArray port = QByteArray::number(desk.port());
    const struct {
        QByteArray host;
        int status;
    } hosts[] = {{"127.0.0.1:" + port, 200},
                 {"localhost:" + port, 200},
                 {"evil.example:" + port, 403},
                 {"127.0.0.1:1", 403},
                 {"", 403}};
    for (const auto& h : hosts) {
        EXPECT_EQ(desk.rawStatus("GET /login HTTP/1.1\r\nHost: " + h.host + "\r\n\r\n"), h.status)
            << h.host.toStdString();
    }
    const QByteArray body = R"({"code":"01","password":"1234"})";
    for (const QByteArray& type : {QByteArray("text/plain"),
                                   QByteArray("application/x-www-form-urlencoded"), QByteArray()}) {
        EXPECT_EQ(desk.rawStatus("POST /api/login HTTP/1.1\r\nHost: 127.0.0.1:" + port +
                                 "\r\nContent-Type: " + type + "\r\nContent-Length: " +
                                 QByteArray::number(body.size()) + "\r\n\r\n" + body),
                  415)
            << type.toStdString();
    }
}

TEST_F(DeskPage, LoginRightWrongAndTheSlowdown) {
    const DeskReply right = desk.post(u"/api/login"_s, R"({"code":"01","password":"1234"})");
    ASSERT_EQ(right.status, 200);
    const QByteArray cookie = right.header("Set-Cookie");
    EXPECT_TRUE(cookie.contains("HttpOnly")) << cookie.toStdString();
    EXPECT_TRUE(cookie.contains("SameSite=Strict")) << cookie.toStdString();
    const QByteArray session = cookie.left(cookie.indexOf(';'));
    EXPECT_EQ(desk.get(u"/api/session"_s, session).json()[u"name"_s].toString(),
              u"Operador Demo"_s);

    // A wrong password, then at once the right one: refused until the wait is over.
    EXPECT_EQ(desk.post(u"/api/login"_s, R"({"code":"02","password":"0000"})").status, 401);
    const DeskReply tooSoon = desk.post(u"/api/login"_s, R"({"code":"02","password":"4321"})");
    EXPECT_EQ(tooSoon.status, 429);
    EXPECT_EQ(tooSoon.header("Retry-After"), "1");
    EXPECT_TRUE(desk.login(u"02"_s, u"4321"_s).isEmpty());
    QThread::msleep(1100);
    EXPECT_FALSE(desk.login(u"02"_s, u"4321"_s).isEmpty());
    // An empty password never logs in, nor an unknown code.
    EXPECT_EQ(desk.post(u"/api/login"_s, R"({"code":"03","password":""})").status, 401);
    EXPECT_EQ(desk.post(u"/api/login"_s, R"({"code":"77","password":"1234"})").status, 401);

    // Logging out ends the session.
    const QByteArray token =
        desk.get(u"/api/session"_s, session).json()[u"token"_s].toString().toLatin1();
    EXPECT_EQ(desk.post(u"/api/logout"_s, {}, session, token).status, 200);
    EXPECT_EQ(desk.get(u"/api/feed"_s, session).status, 401);
}

TEST_F(DeskPage, TheFeedGainsTheRowOfAnIdentification) {
    const QByteArray session = desk.login(kOperator, kPassword);
    ASSERT_FALSE(session.isEmpty());
    const QJsonObject before = desk.get(u"/api/feed"_s, session).json();
    EXPECT_TRUE(rowOf(before[u"rows"_s].toArray(), kPaid).isEmpty());

    desk.tool({u"identify"_s, u"--at"_s, u"09:15:30"_s, u"--observation"_s, u"<b>bolsa</b>"_s,
               u"10001"_s});
    const QJsonArray rows =
        desk.get(u"/api/feed?since=09:15:00"_s, session).json()[u"rows"_s].toArray();
    ASSERT_EQ(rows.size(), 1) << QJsonDocument(rows).toJson().toStdString();
    const QJsonObject row = rows.first().toObject();
    EXPECT_EQ(row[u"name"_s].toString(), u"Bruna Rocha"_s);
    // Typed at 09:15:30; the row carries the moment it was written, after the screen's waits.
    EXPECT_TRUE(row[u"time"_s].toString().startsWith(u"09:15:"_s))
        << row[u"time"_s].toString().toStdString();
    EXPECT_EQ(row[u"outcome"_s].toString(), u"Acesso Livre"_s);
    EXPECT_EQ(row[u"observation"_s].toString(), u"<b>bolsa</b>"_s);
    EXPECT_FALSE(row[u"refused"_s].toBool());
    // Rows before the marker stay out.
    EXPECT_TRUE(
        desk.get(u"/api/feed?since=09:16:00"_s, session).json()[u"rows"_s].toArray().isEmpty());
    EXPECT_EQ(desk.get(u"/api/feed?since=9h"_s, session).status, 400);

    // A visitor's card writes a day row and a visitor row: one passage, let in.
    desk.tool({u"identify"_s, u"--at"_s, u"11:00"_s, u"0000999999"_s});
    const QJsonArray visit =
        desk.get(u"/api/feed?since=11:00:00"_s, session).json()[u"rows"_s].toArray();
    ASSERT_EQ(visit.size(), 1) << QJsonDocument(visit).toJson().toStdString();
    EXPECT_EQ(visit[0][u"kind"_s].toString(), u"visitante"_s);
    EXPECT_FALSE(visit[0][u"refused"_s].toBool());
}

TEST_F(DeskPage, TheReasonOfARefusedRowNamesItsDecidingCheck) {
    const QByteArray session = desk.login(kOperator, kPassword);
    desk.tool({u"identify"_s, u"--at"_s, u"10:00"_s, u"10004"_s});
    const QJsonObject row =
        rowOf(desk.get(u"/api/feed"_s, session).json()[u"rows"_s].toArray(), kOverdue);
    ASSERT_TRUE(row[u"refused"_s].toBool());
    EXPECT_EQ(row[u"outcome"_s].toString(), u"Sob Consulta !!!"_s);

    const QJsonObject why = desk.get(u"/api/explain?number=%1&date=%2&time=%3"_s.arg(
                                         row[u"number"_s].toString(), row[u"date"_s].toString(),
                                         row[u"time"_s].toString()),
                                     session)
                                .json();
    EXPECT_FALSE(why[u"granted"_s].toBool());
    EXPECT_EQ(why[u"deciding"_s].toString(), u"payment.receipts"_s);
    EXPECT_EQ(why[u"time"_s].toString(), row[u"time"_s].toString());
    EXPECT_EQ(why[u"note"_s].toString(), u"Calculado com os dados como estão agora"_s);
    EXPECT_TRUE(why[u"text"_s].toString().contains(u"Sob Consulta !!!"_s));
}

// Without a readable business date there is no "today": the feed says why, never an empty day.
TEST_F(DeskPage, AnUnreadableBusinessDateIsNoEmptyDay) {
    const QByteArray session = desk.login(kOperator, kPassword);
    const QString date = desk.get(u"/api/feed"_s, session).json()[u"date"_s].toString();
    ASSERT_FALSE(date.isEmpty());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"spoil"_s);
        db.setDatabaseName(desk.clubFolder() + u"/club.db"_s);
        ASSERT_TRUE(db.open());
        QSqlQuery spoil(db);
        ASSERT_TRUE(spoil.exec(u"UPDATE caixa SET DATAABERTURA = 'garbage'"_s));
    }
    QSqlDatabase::removeDatabase(u"spoil"_s);
    const DeskReply today = desk.get(u"/api/feed"_s, session);
    EXPECT_EQ(today.status, 503);
    EXPECT_FALSE(today.json().contains(u"rows"_s));
    EXPECT_TRUE(desk.monitorLog().contains(u"banco de dados do clube"_s))
        << desk.monitorLog().toStdString();
    // A day named outright still opens; a date that does not read is refused.
    EXPECT_EQ(desk.get(u"/api/feed?date="_s + date, session).status, 200);
    EXPECT_EQ(desk.get(u"/api/feed?date=10/12/2026"_s, session).status, 400);
}

TEST_F(DeskPage, MemberSearchByNameAndByNumber) {
    const QByteArray session = desk.login(kOperator, kPassword);
    const auto found = [&](const QString& text) {
        QStringList numbers;
        const DeskReply reply = desk.get(
            u"/api/members?q="_s + QString::fromLatin1(QUrl::toPercentEncoding(text)), session);
        for (const QJsonValue& member : reply.json()[u"members"_s].toArray())
            numbers << member[u"number"_s].toString();
        return numbers;
    };
    EXPECT_EQ(found(u"lívia rocha"_s), QStringList{kOverdue});
    EXPECT_EQ(found(u"10004"_s), QStringList{kOverdue});
    EXPECT_EQ(found(u"0000010004"_s), QStringList{kOverdue});
    EXPECT_TRUE(found(u"Zzzz"_s).isEmpty());
    EXPECT_TRUE(found(u"' OR 1=1 --"_s).isEmpty());

    desk.tool({u"identify"_s, u"--at"_s, u"08:00"_s, u"10004"_s});
    const QJsonObject card = desk.get(u"/api/member?number=10004"_s, session).json();
    EXPECT_EQ(card[u"name"_s].toString(), u"Lívia Rocha Peixoto"_s);
    EXPECT_EQ(card[u"situation"_s][u"outcome"_s].toString(), u"Sob Consulta !!!"_s);
    ASSERT_EQ(card[u"entries"_s].toArray().size(), 1);
    EXPECT_TRUE(card[u"entries"_s][0][u"time"_s].toString().startsWith(u"08:00:"_s));
    EXPECT_EQ(desk.get(u"/api/member?number=9999999"_s, session).status, 404);
}

TEST_F(DeskPage, PhotosAreScaledOrThePlaceholder) {
    const QByteArray session = desk.login(kOperator, kPassword);
    const DeskReply photo = desk.get(u"/photo?kind=aluno&number=10001"_s, session);
    ASSERT_EQ(photo.status, 200);
    EXPECT_EQ(photo.header("Content-Type"), "image/jpeg");
    const QImage image = QImage::fromData(photo.body);
    EXPECT_LE(std::max(image.width(), image.height()), 96);
    EXPECT_EQ(desk.get(u"/photo?kind=aluno&number=4444444"_s, session).header("Content-Type"),
              "image/svg+xml");

    const DeskReply before = desk.get(u"/photo?kind=aluno&number=10002"_s, session);
    EXPECT_EQ(before.header("Content-Type"), "image/jpeg");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"spoil"_s);
        db.setDatabaseName(desk.clubFolder() + u"/club.db"_s);
        ASSERT_TRUE(db.open());
        QSqlQuery spoil(db);
        ASSERT_TRUE(spoil.exec(
            u"UPDATE FotosAlunos SET FOTO1 = X'FFD8FF00DEAD' WHERE MATRICULA = '0000010002'"_s));
    }
    QSqlDatabase::removeDatabase(u"spoil"_s);
    // The session keeps what it was sent; a new session finds a photo that is no picture
    // and gets the placeholder.
    EXPECT_EQ(desk.get(u"/photo?kind=aluno&number=10002"_s, session).body, before.body);
    const QByteArray other = desk.login(u"02"_s, u"4321"_s);
    const DeskReply spoiled = desk.get(u"/photo?kind=aluno&number=10002"_s, other);
    EXPECT_EQ(spoiled.status, 200);
    EXPECT_EQ(spoiled.header("Content-Type"), "image/svg+xml");
}

TEST_F(DeskPage, TheReleaseNeedsTheSessionsToken) {
    QStringList received;
    terminal::TerminalMessageServer terminal(
        [&](const QStringList& words) { received << words.join(u' '); });
    ASSERT_TRUE(terminal.listen(desk.runtimeFolder() + u"/orvalen-terminal"_s).ok());
    const QByteArray session = desk.login(kOperator, kPassword);
    const QJsonObject info = desk.get(u"/api/session"_s, session).json();
    EXPECT_TRUE(info[u"release"_s].toBool());
    const QByteArray token = info[u"token"_s].toString().toLatin1();

    EXPECT_EQ(desk.post(u"/api/release"_s, {}, session).status, 403);
    EXPECT_EQ(desk.post(u"/api/release"_s, {}, session, QByteArray(64, '0')).status, 403);
    EXPECT_EQ(desk.get(u"/api/release"_s, session).status, 404);
    EXPECT_TRUE(received.isEmpty());

    const DeskReply released = desk.post(u"/api/release"_s, {}, session, token);
    EXPECT_EQ(released.status, 200);
    for (int i = 0; i < 50 && received.isEmpty(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(received, QStringList{u"0x400 1"_s});
    EXPECT_TRUE(desk.monitorLog().contains(u"catraca liberada para visitante pelo operador 01"_s))
        << desk.monitorLog().toStdString();
}

// A large club's day: 5,000 rows of today among 200,000 of the history.
TEST_F(DeskPage, AFiveThousandRowDayOpensInUnderASecond) {
    QTemporaryDir big;
    desk.tool({u"bench-club"_s, big.path(), u"--active"_s, u"2000"_s, u"--total"_s, u"4000"_s,
               u"--receipts"_s, u"20000"_s, u"--history"_s, u"200000"_s, u"--today"_s, u"5000"_s,
               u"--fingers"_s, u"0"_s, u"--photos"_s, u"0"_s});
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"operator"_s);
        db.setDatabaseName(big.path() + u"/club.db"_s);
        ASSERT_TRUE(db.open());
        QSqlQuery add(db);
        ASSERT_TRUE(add.exec(u"INSERT INTO Usuarios (CODIGO, NOME, SENHA) VALUES "
                             "('01', 'Operador', '1234')"_s));
    }
    QSqlDatabase::removeDatabase(u"operator"_s);
    desk.restartOn(big.path());
    const QByteArray session = desk.login(kOperator, kPassword);
    ASSERT_FALSE(session.isEmpty());
    QElapsedTimer timer;
    timer.start();
    const DeskReply day = desk.get(u"/api/feed"_s, session);
    const qint64 elapsed = timer.elapsed();
    ASSERT_EQ(day.status, 200);
    EXPECT_GE(day.json()[u"rows"_s].toArray().size(), 5000);
    EXPECT_LT(elapsed, 1000);
    std::cout << "a day of " << day.json()[u"rows"_s].toArray().size() << " rows in " << elapsed
              << " ms\n";
}

} // namespace
} // namespace orvalen::test
