#include "app/tool/reader_sim_command.h"

#include "app/tool/reader_input.h"
#include "hardware/simulated_reader.h"
#include "terminal/message_socket.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <optional>
#include <string>
#include <unistd.h>

namespace orvalen::tool {

namespace {

const char* const kUsage = "usage: orvalen reader-sim --link PATH\n";

// The link goes with the simulator, also when it is interrupted.
std::string linkToRemove;

extern "C" void removeLinkAndEnd(int) {
    if (!linkToRemove.empty()) {
        ::unlink(linkToRemove.c_str());
    }
    ::_exit(0);
}

std::optional<QString> parseLink(const QStringList& arguments, QTextStream& err) {
    if (arguments.size() == 2 && arguments[0] == QLatin1String("--link") &&
        !arguments[1].isEmpty()) {
        return QFileInfo(arguments[1]).absoluteFilePath();
    }
    err << "orvalen reader-sim: the link to create is required\n" << kUsage;
    return std::nullopt;
}

// An old link of an earlier run is replaced; anything else at the path is left alone.
QString makeLink(const QString& device, const QString& link) {
    const QFileInfo existing(link);
    if (existing.isSymLink()) {
        QFile::remove(link);
    } else if (existing.exists()) {
        return QStringLiteral("%1 exists and is not a link; choose another path").arg(link);
    }
    if (!QFile::link(device, link)) {
        return QStringLiteral("cannot create the link %1 to %2").arg(link, device);
    }
    return {};
}

// Bytes as a person reads them: printable ones as they are, the others by name or in hex.
QString readable(const QByteArray& bytes) {
    QStringList parts;
    QString printable;
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        if (code >= 32 && code < 127) {
            printable += QLatin1Char(byte);
            continue;
        }
        if (!printable.isEmpty()) {
            parts << printable;
            printable.clear();
        }
        switch (code) {
        case '\r':
            parts << QStringLiteral("CR");
            break;
        case '\n':
            parts << QStringLiteral("LF");
            break;
        case 0x0F:
            parts << QStringLiteral("0x0F (Tec12 USB keypad on)");
            break;
        case 0x0E:
            parts << QStringLiteral("0x0E (Tec12 USB keypad off)");
            break;
        default:
            parts << QStringLiteral("0x%1").arg(code, 2, 16, QLatin1Char('0'));
        }
    }
    if (!printable.isEmpty()) {
        parts << printable;
    }
    return parts.join(QLatin1Char(' '));
}

QString now() {
    return QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz"));
}

} // namespace

int readerSimCommand(CommandContext& context) {
    const std::optional<QString> link = parseLink(context.arguments, context.err);
    if (!link) {
        return 2;
    }
    hardware::SimulatedReader reader;
    if (const QString failed = reader.open(); !failed.isEmpty()) {
        context.err << "orvalen reader-sim: " << failed << '\n';
        return 1;
    }
    if (const QString failed = makeLink(reader.devicePath(), *link); !failed.isEmpty()) {
        context.err << "orvalen reader-sim: " << failed << '\n';
        return 2;
    }
    linkToRemove = link->toStdString();
    std::signal(SIGINT, removeLinkAndEnd);
    std::signal(SIGTERM, removeLinkAndEnd);

    terminal::TerminalMessageServer messages([&](const QStringList& words) {
        const auto input = readerInput(words);
        if (!input || !input->ok()) {
            context.out << now() << " ignored '" << words.join(QLatin1Char(' ')) << "'\n";
        } else if (input->value().kind == ReaderInput::Kind::Keypad) {
            reader.typeKeys(input->value().bytes);
        } else {
            reader.sendFrame(input->value().bytes);
        }
        context.out.flush();
    });
    if (const store::Status listening = messages.listen(readerSimSocketName()); !listening.ok()) {
        context.err << "orvalen reader-sim: " << listening.error().message << '\n';
        QFile::remove(*link);
        return 1;
    }
    reader.onSent = [&context](const QByteArray& bytes) {
        context.out << now() << " sent " << readable(bytes) << '\n';
        context.out.flush();
    };
    reader.onReceived = [&context](const QByteArray& bytes) {
        context.out << now() << " the terminal sent " << readable(bytes) << '\n';
        context.out.flush();
    };
    context.out << "reader simulator on " << reader.devicePath() << ", linked from " << *link
                << "\nfor the terminal: Sacvar.PINPAD = COM9 (any COMn), and in terminal.ini "
                   "[ports] COM9="
                << *link
                << "\nsend with: orvalen send keypad 10001#   or   orvalen send card 0000010001"
                   "\nCtrl+C ends it\n";
    context.out.flush();
    const int result = QCoreApplication::exec();
    QFile::remove(*link);
    return result;
}

} // namespace orvalen::tool
