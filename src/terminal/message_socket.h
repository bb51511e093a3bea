#pragma once

#include "store/result.h"

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace orvalen::terminal {

// Other programs on this PC reach the running terminal through a local socket in its user's
// private runtime folder, that only its own user may open. One message per line: its words
// separated by blanks, for example "0x400 1" (the external release message with its parameter).
QString terminalSocketName();

class TerminalMessageServer : public QObject {
public:
    using Handler = std::function<void(const QStringList& words)>;

    explicit TerminalMessageServer(Handler handler, QObject* parent = nullptr);
    store::Status listen(const QString& name = terminalSocketName());

private:
    void accept();

    Handler handler_;
    QLocalServer server_;
};

// Sends one message line to the running terminal.
store::Status sendTerminalMessage(const QString& line, const QString& name = terminalSocketName());

// "0x400 N": the parameter of the external release message; nothing for other lines.
std::optional<int> releaseMessageParameter(const QStringList& words);

} // namespace orvalen::terminal
