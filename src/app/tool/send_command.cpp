#include "app/tool/send_command.h"

#include "app/tool/reader_input.h"
#include "app/tool/send_finger.h"
#include "terminal/message_socket.h"

namespace orvalen::tool {

namespace {

// The program a message is for, and how a person starts it when it is not running.
struct Listener {
    const char* program;
    const char* howToStart;
};

constexpr Listener kTerminal{
    "the terminal (orvalen-terminal)",
    "start it as this user: orvalen-terminal [--datalink-dir DIR], or bash scripts/demo.sh for "
    "the demo club"};
constexpr Listener kReaderSim{
    "the reader simulator (orvalen reader-sim)",
    "start it as this user in another shell: orvalen reader-sim --link PATH, PATH being the "
    "reader line terminal.ini maps (DIR/reader-line in a demo club made with --devices, where "
    "bash scripts/demo.sh starts it)"};

int deliver(CommandContext& context, const QString& line, const QString& socketName,
            const Listener& listener) {
    const store::Status sent = terminal::sendTerminalMessage(line, socketName);
    if (!sent.ok()) {
        // Qt's own words name the socket call, not what a person has to do.
        context.err << "orvalen send: " << listener.program
                    << " is not running for this user, so nothing took the message; "
                    << listener.howToStart << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int sendCommand(CommandContext& context) {
    const QStringList& words = context.arguments;
    if (!words.isEmpty() && words.first() == QLatin1String("finger")) {
        return sendFinger(context);
    }
    if (const auto reader = readerInput(words)) {
        if (!reader->ok()) {
            context.err << "orvalen send: " << reader->error().message << '\n';
            return 2;
        }
        return deliver(context, words.join(QLatin1Char(' ')), readerSimSocketName(), kReaderSim);
    }
    if (!terminal::releaseMessageParameter(words)) {
        context.err
            << "orvalen send: the message is '0x400 N' (N: 0 pauses or resumes the "
               "fingerprint reader, any other number lets a visitor in), 'keypad KEYS' "
               "(Tec12 keys: digits, * clears, # enters) or 'card NUMBER' (a card "
               "frame), the last two through orvalen reader-sim, or 'finger SAMPLE|FILE.pgm' "
               "(a finger on the terminal's virtual reader)\n";
        return 2;
    }
    return deliver(context, words.join(QLatin1Char(' ')), terminal::terminalSocketName(),
                   kTerminal);
}

} // namespace orvalen::tool
