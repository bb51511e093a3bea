#include "load/load_terminal.h"

#include <utility>

namespace orvalen::load {

namespace {

bool has(const std::vector<RowKey>& rows, const QString& table, const QString& status) {
    for (const RowKey& row : rows) {
        if (row.table == table && (status.isNull() || row.status == status)) {
            return true;
        }
    }
    return false;
}

} // namespace

LoadTerminal::LoadTerminal(const store::ConnectionSpec& spec, const store::LocalSettings& local,
                           const QString& connectionName, QDateTime start)
    : connection_(spec, connectionName), local_(local), now_(std::move(start)) {
    unit_.operatorCode = QStringLiteral("00");
}

LoadTerminal::~LoadTerminal() = default;

store::Status LoadTerminal::open() {
    if (store::Status opened = connection_.open(); !opened.ok()) {
        return opened;
    }
    screen_ = std::make_unique<terminal::TerminalScreen>(terminal::ScreenServices{
        connection_, *this, *this, *this, *this, writer_,
        terminal::Devices{readerLine_, fingerprint_}, unit_, local_, this, nullptr, this});
    screen_->FormCreate(1024, 768);
    screen_->FormShow();
    if (screen_->state().closeRequested) {
        return store::Error{QStringLiteral("the terminal screen did not open: ") +
                            tally_.messages.join(QStringLiteral("; "))};
    }
    screen_->FormActivate();
    return store::Status::success();
}

bool LoadTerminal::identify(const QString& text) {
    current_.clear();
    currentPulses_ = 0;
    currentStatus_.clear();
    for (const QChar character : text) {
        screen_->keyPressed(0, character);
    }
    screen_->keyPressed(0, QChar(terminal::kEnter));
    ++tally_.identifications;
    checkIdentification(text);
    return !screen_->state().closeRequested;
}

// A release only after the rows of a grant, and every grant row released once: the access
// log tells the truth about who went through.
void LoadTerminal::checkIdentification(const QString& text) {
    const bool studentGrant = has(current_, QStringLiteral("AcessoDia"), QStringLiteral("L"));
    const bool studentPair = has(current_, QStringLiteral("Acesso"), QStringLiteral("L"));
    const bool visitor = has(current_, QStringLiteral("AcessoDia"), QStringLiteral("V"));
    const bool employee = has(current_, QStringLiteral("AcessoFuncionarios"), QString());
    const auto anomaly = [&](const char* what) {
        tally_.anomalies << text + QStringLiteral(": ") + QLatin1String(what);
    };
    const qsizetype granted = currentStatus_.indexOf(QStringLiteral("Acesso Livre"));
    if (granted >= 0 && currentStatus_.indexOf(QStringLiteral("Excedeu Acesso !!!"), granted) > 0) {
        ++tally_.lastPlacesLost;
    }
    if (studentGrant != studentPair) {
        anomaly("a grant logged in one of AcessoDia and Acesso only");
    }
    if (currentPulses_ > 1) {
        anomaly("more than one release for one identification");
    }
    if (currentPulses_ == 1 && !studentGrant && !visitor && !employee) {
        anomaly("a release without a grant row");
    }
    if ((studentGrant || visitor) && currentPulses_ == 0) {
        anomaly("a grant row without a release");
    }
}

int LoadTerminal::AVISO(const QString& kind, const QString& text, const QString& detail) {
    tally_.messages << (detail.isEmpty() ? text : text + QStringLiteral(" / ") + detail);
    return kind == QLatin1String("!") ? kOk : kYes;
}

void LoadTerminal::shown(terminal::Place place, const QString& text) {
    if (place == terminal::Place::StatusPanel) {
        currentStatus_ << text;
    }
}

void LoadTerminal::rowWritten(const terminal::LogRow& row) {
    const RowKey key{row.table, row.value(QStringLiteral("MATRICULA")).toString(),
                     row.value(QStringLiteral("STATUS")).toString()};
    current_.push_back(key);
    if (ledger_ != nullptr) {
        ledger_->write((ledgerLine(key) + QLatin1Char('\n')).toUtf8());
    }
    ++tally_.rows;
}

void LoadTerminal::releaseRequested() {
    ++currentPulses_;
    ++tally_.releases;
}

terminal::PulseReport LoadTerminal::pulse(const terminal::TurnstileTarget&, int milliseconds) {
    wait(milliseconds);
    return {};
}

} // namespace orvalen::load
