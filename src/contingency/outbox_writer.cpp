#include "contingency/outbox_writer.h"

#include "contingency/change_text.h"
#include "contingency/writer_key.h"

namespace orvalen::contingency {

namespace {

const QString kInsertOutbox =
    QStringLiteral("INSERT INTO ContingencyOutbox (TERMINAL, DECIDED_AT, CHANGE) "
                   "VALUES (:TERMINAL, :DECIDED_AT, :CHANGE)");

} // namespace

OutboxWriter::OutboxWriter(const store::ClubConnection& copy, Now now)
    : copy_(copy), terminalKey_(newWriterKey()), now_(std::move(now)) {}

terminal::LogWriteResult OutboxWriter::write(const terminal::LogWrite& change) {
    const terminal::LogWriteResult result = terminal::writeResult(change, copy_, [&] {
        auto queued = copy_.execute(
            kInsertOutbox, {{QStringLiteral(":TERMINAL"), terminalKey_},
                            {QStringLiteral(":DECIDED_AT"), now_().toString(Qt::ISODateWithMs)},
                            {QStringLiteral(":CHANGE"), changeText(change)}});
        return queued.ok() ? store::Status::success() : store::Status(queued.error());
    });
    if (!result.failure && result.conditionHeld) {
        ++written_;
    }
    return result;
}

} // namespace orvalen::contingency
