#include "contingency/away_switch.h"

#include "contingency/copy_file.h"
#include "contingency/replay.h"
#include "contingency/young_copy.h"

#include <QAtomicInt>

namespace orvalen::contingency {

namespace {

const QString kProbe = QStringLiteral("SELECT CLIENTE FROM Sacvar");

QString connectionName(const char* stem) {
    static QAtomicInt counter;
    return QStringLiteral("%1-%2").arg(QLatin1String(stem)).arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

AwaySwitch::AwaySwitch(store::ClubConnection& main, store::ContingencySettings settings,
                       store::ErrorLog& log, Now now)
    : main_(main), settings_(std::move(settings)), log_(log), now_(std::move(now)),
      clubSpec_(main.spec()) {}

QString AwaySwitch::stripText() const {
    return away() ? awayStripText(copyTakenAt_) : QString();
}

bool AwaySwitch::clubAnswers(const store::ConnectionSpec& spec) const {
    store::ClubConnection fresh(spec, connectionName("contingency-probe"),
                                store::OpenMode::ReadOnly);
    return fresh.open().ok() && fresh.execute(kProbe).ok();
}

bool AwaySwitch::switchToCopy(const QString& why) {
    if (away()) {
        return true;
    }
    if (!settings_.enabled || clubAnswers(main_.spec())) {
        return false;
    }
    const std::lock_guard<std::mutex> hold(fileLock_);
    const QDateTime now = now_();
    auto copy = openYoungCopy(settings_, now, connectionName("contingency-check"));
    if (!copy.ok()) {
        log_.record(QStringLiteral("club database away (%1); no decisions from the copy: %2")
                        .arg(why, copy.error().message));
        return false;
    }
    const CopyInfo info = copy->info;
    copy->connection.reset();
    clubSpec_ = main_.spec();
    main_.repoint(store::ConnectionSpec{QStringLiteral("QSQLITE"), settings_.copyPath,
                                        store::Dialect(store::Dialect::Kind::Sqlite),
                                        QStringLiteral("the contingency copy"), QString(), 0});
    if (!main_.open().ok()) {
        main_.repoint(clubSpec_);
        return false;
    }
    copyTakenAt_ = info.takenAt;
    outbox_ = std::make_unique<OutboxWriter>(main_, now_);
    away_ = true;
    log_.record(QStringLiteral("club database away (%1): deciding from the contingency copy of %2")
                    .arg(why, info.takenAt.toString(QStringLiteral("dd/MM/yyyy HH:mm"))));
    return true;
}

bool AwaySwitch::tryBack() {
    if (!away() || !clubAnswers(clubSpec_)) {
        return false;
    }
    const int decided = outbox_->written();
    bool reopened = false;
    {
        const std::lock_guard<std::mutex> hold(fileLock_);
        away_ = false;
        outbox_.reset();
        main_.repoint(clubSpec_);
        reopened = main_.open().ok();
    }
    if (!reopened) {
        // Gone again between the probe and now: back on the copy.
        switchToCopy(QStringLiteral("the connection was refused again"));
        return false;
    }
    QString replayed;
    auto copy = openCopy(settings_.copyPath, connectionName("contingency-replay"));
    if (copy.ok()) {
        const auto figures = replayOutbox(main_, *copy.value(), log_, now_());
        replayed = figures.ok() ? QStringLiteral("%1 writes replayed").arg(figures->replayed)
                                : figures.error().message;
    } else {
        replayed = copy.error().message;
    }
    log_.record(QStringLiteral("club database back: %1 people decided from the copy meanwhile; %2")
                    .arg(decided)
                    .arg(replayed));
    return true;
}

terminal::LogWriteResult AwaySwitch::Writer::write(const terminal::LogWrite& change) {
    if (owner_.away()) {
        return owner_.outbox_->write(change);
    }
    terminal::LogWriteResult result = club_.write(change);
    // The person was decided on the club's data; with the club gone at the write, the row
    // goes to the outbox instead of being lost.
    if (result.failure && owner_.switchToCopy(result.failure->why)) {
        return owner_.outbox_->write(change);
    }
    return result;
}

} // namespace orvalen::contingency
