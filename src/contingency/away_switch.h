#pragma once

#include "contingency/copy_refresh.h"
#include "contingency/outbox_writer.h"
#include "store/connection.h"
#include "store/error_log.h"
#include "store/local_settings.h"
#include "terminal/log_writer.h"
#include "terminal/student_source.h"

#include <QDateTime>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

namespace orvalen::contingency {

// Which database the terminal's main connection serves now: the club's, or, while the club's
// does not answer, the contingency copy. The connection object stays the same, so the
// screen, the login and the cash check read through it unchanged; only what it points at
// moves. Writes go to the club database or to the copy's outbox accordingly.
class AwaySwitch : public terminal::ConnectionSwitch {
public:
    using Now = std::function<QDateTime()>;
    AwaySwitch(store::ClubConnection& main, store::ContingencySettings settings,
               store::ErrorLog& log, Now now);
    AwaySwitch(const AwaySwitch&) = delete;
    AwaySwitch& operator=(const AwaySwitch&) = delete;

    bool away() const { return away_.load(); }
    // What the club connection was before the switch.
    const store::ConnectionSpec& clubSpec() const { return clubSpec_; }
    // For the background refresh: the copy is not replaced while the terminal decides
    // from it, nor between a switch's check and its opening of the file.
    ReplaceGate replaceGate() {
        return {&fileLock_, [this] { return !away_.load(); }};
    }
    // The strip the terminal window shows while away; empty otherwise.
    QString stripText() const;

    // A statement of the main connection failed (`why`). When the club database does not
    // answer a fresh connection and the copy is young enough, the main connection is pointed
    // at the copy and true is returned; a club database that answers means the failure was
    // the statement's own, and nothing changes.
    bool switchToCopy(const QString& why) override;
    // While away: when the club database answers again, the main connection goes back to
    // it and the outbox is replayed. True when back.
    bool tryBack();

    // Where the screen's rows go: the club database, or the outbox while away.
    terminal::LogWriter& writer() { return writer_; }

private:
    class Writer : public terminal::LogWriter {
    public:
        explicit Writer(AwaySwitch& owner) : owner_(owner), club_(owner.main_) {}
        terminal::LogWriteResult write(const terminal::LogWrite& change) override;

    private:
        AwaySwitch& owner_;
        terminal::DatabaseLogWriter club_;
    };

    bool clubAnswers(const store::ConnectionSpec& spec) const;

    store::ClubConnection& main_;
    store::ContingencySettings settings_;
    store::ErrorLog& log_;
    Now now_;
    store::ConnectionSpec clubSpec_;
    QDateTime copyTakenAt_;
    std::unique_ptr<OutboxWriter> outbox_;
    std::atomic<bool> away_{false};
    std::mutex fileLock_;
    Writer writer_{*this};
};

} // namespace orvalen::contingency
