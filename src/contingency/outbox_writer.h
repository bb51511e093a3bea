#pragma once

#include "store/connection.h"
#include "terminal/log_writer.h"

#include <QDateTime>
#include <functional>

namespace orvalen::contingency {

// Where the screen's writes go while the club database is away: into the copy's own
// tables, so that the next decisions from the copy see them (daily limit, re-entry, a
// release used up), and into its outbox under a key of this writer's own, in one transaction.
class OutboxWriter : public terminal::LogWriter {
public:
    using Now = std::function<QDateTime()>;
    OutboxWriter(const store::ClubConnection& copy, Now now);
    terminal::LogWriteResult write(const terminal::LogWrite& change) override;

    // Writes that went into the outbox through this writer.
    int written() const { return written_; }

private:
    const store::ClubConnection& copy_;
    QString terminalKey_;
    Now now_;
    int written_ = 0;
};

} // namespace orvalen::contingency
