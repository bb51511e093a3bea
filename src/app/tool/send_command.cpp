#include "app/tool/send_command.h"

#include "app/tool/send_finger.h"
#include "terminal/message_socket.h"

namespace orvalen::tool {

int sendCommand(CommandContext& context) {
    const QStringList& words = context.arguments;
    if (!words.isEmpty() && words.first() == QLatin1String("finger")) {
        return sendFinger(context);
    }
    if (!terminal::releaseMessageParameter(words)) {
        context.err << "orvalen send: the message is '0x400 N' (N: 0 pauses or resumes the "
                       "fingerprint reader, "
                       "any other number lets a visitor in)\n";
        return 2;
    }
    const store::Status sent = terminal::sendTerminalMessage(words.join(QLatin1Char(' ')));
    if (!sent.ok()) {
        context.err << "orvalen send: " << sent.error().message << '\n';
        return 1;
    }
    return 0;
}

} // namespace orvalen::tool
