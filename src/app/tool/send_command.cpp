#include "app/tool/send_command.h"

#include "app/tool/reader_input.h"
#include "app/tool/send_finger.h"
#include "terminal/message_socket.h"

namespace orvalen::tool {

namespace {

int deliver(CommandContext& context, const QString& line, const QString& socketName,
            const char* whenNobodyListens) {
    const store::Status sent = terminal::sendTerminalMessage(line, socketName);
    if (!sent.ok()) {
        context.err << "orvalen send: " << sent.error().message << '\n' << whenNobodyListens;
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
        return deliver(context, words.join(QLatin1Char(' ')), readerSimSocketName(),
                       "start the reader simulator first: orvalen reader-sim --link PATH\n");
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
    return deliver(context, words.join(QLatin1Char(' ')), terminal::terminalSocketName(), "");
}

} // namespace orvalen::tool
