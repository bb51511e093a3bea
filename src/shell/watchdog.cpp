#include "shell/watchdog.h"

#include "store/statement_catalogue.h"

#include <QFileInfo>

namespace orvalen::shell {

namespace {

const store::Statement kProbe{"watchdog probe", "database watchdog: the connection answers",
                              "SELECT CLIENTE FROM Sacvar"};

} // namespace

Watchdog::Watchdog(store::ClubConnection& connection, DataLink dataLink, store::Aviso& aviso,
                   Pump pump, QObject* parent)
    : QObject(parent), connection_(connection), dataLink_(std::move(dataLink)), aviso_(aviso),
      pump_(std::move(pump)) {
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &Watchdog::Timer1Timer);
}

void Watchdog::start() {
    enabled_ = true;
    timer_.start();
}

QString Watchdog::supportDetail() {
    return QStringLiteral(
        "Problema no Banco de Dados ou não está Ativo !\n\rProblema na Rede ou não está Ativa !");
}

void Watchdog::showSupportMessage() {
    aviso_.AVISO(QStringLiteral("!"), QStringLiteral("Entre em contato com SUPORTE !"),
                 supportDetail());
}

bool Watchdog::probe() const {
    return connection_.execute(kProbe.text(connection_.dialect())).ok();
}

// An SQLite club file renamed or deleted still answers through the connection that has it
// open: only its name tells that the club's database is gone.
bool Watchdog::clubGone() const {
    const store::ConnectionSpec& spec = connection_.spec();
    return spec.driver == QLatin1String("QSQLITE") && !QFileInfo::exists(spec.databaseName);
}

void Watchdog::Timer1Timer() {
    if (!enabled_) {
        return;
    }
    if (away_ != nullptr && away_->away()) {
        away_->tryBack(); // in the background: nobody has to click for it
        return;
    }
    const bool gone = !probe() || (away_ != nullptr && clubGone());
    if (!gone) {
        return;
    }
    if (away_ != nullptr && away_->switchToCopy(QStringLiteral("the watchdog's probe failed"))) {
        return;
    }
    enabled_ = false;
    showSupportMessage();
    ReSetBanco();
    if (pump_) {
        pump_();
    }
}

void Watchdog::ReSetBanco() {
    // No limit and no delay other than the operator's click: the terminal is useless
    // without its database, and the box says whom to call.
    for (;;) {
        connection_.close();
        // A file being rewritten may not read now; the connection then keeps what it had.
        if (auto spec = dataLink_(); spec.ok()) {
            connection_.repoint(std::move(spec).value());
        }
        // Some drivers open without touching the database (an SQLite file is even created
        // where the club's was): only an answer to the probe means it is back.
        if (connection_.open().ok() && probe()) {
            enabled_ = true;
            return;
        }
        showSupportMessage();
    }
}

} // namespace orvalen::shell
