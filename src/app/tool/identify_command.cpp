#include "app/tool/identify_command.h"

#include "app/tool/contingency_club.h"
#include "app/tool/headless_terminal.h"
#include "app/tool/identify_entry.h"
#include "app/tool/identify_events.h"
#include "app/tool/identify_finger.h"
#include "contingency/outbox_writer.h"
#include "desk/screen_typing.h"
#include "store/datalink.h"
#include "terminal/log_writer.h"
#include "terminal/services/com_port_rts.h"
#include "terminal/services/device_turnstile_outputs.h"
#include "terminal/terminal_screen.h"

#include <QTime>
#include <memory>
#include <optional>

namespace orvalen::tool {

namespace {

constexpr int kObservationLength = 30;
// A finger is taken at the reader's next poll (each second) and decided within a few more.
constexpr std::chrono::milliseconds kFingerLimit(15000);

struct IdentifyOptions {
    QString folder;
    QString text;
    QString finger; // a sample finger or a .pgm picture, laid on the reader instead of typing
    bool nameMode = false;
    bool dryRun = false;
    bool json = false;
    QTime at;
    std::optional<double> branch; // Filial.CLIENTE of the unit to choose first
    std::optional<QString> observation;
};

std::optional<IdentifyOptions> parse(const QStringList& arguments, QTextStream& err) {
    IdentifyOptions options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--datalink-dir") && hasValue) {
            options.folder = arguments[++i];
        } else if (argument == QLatin1String("--at") && hasValue) {
            const QString at = arguments[++i];
            options.at = QTime::fromString(at, at.size() > 5 ? QStringLiteral("HH:mm:ss")
                                                             : QStringLiteral("HH:mm"));
            if (!options.at.isValid()) {
                err << "orvalen identify: --at takes HH:MM or HH:MM:SS, not '" << at << "'\n";
                return std::nullopt;
            }
        } else if (argument == QLatin1String("--branch") && hasValue) {
            options.branch = branchCode(arguments[++i], QStringLiteral("identify"), err);
            if (!options.branch) {
                return std::nullopt;
            }
        } else if (argument == QLatin1String("--observation") && hasValue) {
            options.observation = arguments[++i];
            if (options.observation->size() > kObservationLength) {
                err << "orvalen identify: --observation takes at most " << kObservationLength
                    << " characters (the width of OBS), not " << options.observation->size()
                    << '\n';
                return std::nullopt;
            }
        } else if (argument == QLatin1String("--finger") && hasValue) {
            options.finger = arguments[++i];
        } else if (argument == QLatin1String("--name")) {
            options.nameMode = true;
        } else if (argument == QLatin1String("--dry-run")) {
            options.dryRun = true;
        } else if (argument == QLatin1String("--json")) {
            options.json = true;
        } else if (argument.startsWith(QLatin1String("--"))) {
            err << "orvalen identify: unknown option '" << argument << "'\n";
            return std::nullopt;
        } else if (options.text.isEmpty()) {
            options.text = argument;
        } else {
            err << "orvalen identify: one text to identify, not '" << argument << "' as well\n";
            return std::nullopt;
        }
    }
    if (options.text.isEmpty() == options.finger.isEmpty()) {
        err << (options.text.isEmpty()
                    ? "orvalen identify: the text to identify (or --finger) is missing\n"
                    : "orvalen identify: a text to identify or --finger, not both\n");
        return std::nullopt;
    }
    if (options.folder.isEmpty()) {
        options.folder = store::dataLinkFolder({});
    }
    return options;
}

// The operator's note, typed into the observation panel and confirmed with Enter.
void typeObservation(terminal::TerminalScreen& screen, const QString& text) {
    screen.BBNOBSClick();
    for (const QChar character : text) {
        screen.keyPressed(0, character);
    }
    screen.keyPressed(0, QChar(terminal::kEnter));
}

} // namespace

int identifyCommand(CommandContext& context) {
    const auto options = parse(context.arguments, context.err);
    if (!options) {
        return 2;
    }
    std::optional<ClubOrCopy> opened =
        openClubOrCopy(options->folder, QStringLiteral("identify"), context.err,
                       options->dryRun ? store::OpenMode::ReadOnly : store::OpenMode::Existing);
    if (!opened) {
        return 1;
    }
    store::ClubConnection& connection = *opened->club.connection;
    const store::LocalSettings& local = opened->club.local;
    if (opened->copy) {
        (options->json ? context.err : context.out)
            << contingency::awayStripText(opened->copy->takenAt) << '\n';
    }

    QDateTime start = QDateTime::currentDateTime();
    if (options->at.isValid()) {
        start.setTime(options->at);
    }
    IdentifyEvents events(context.out, options->json, start);
    std::unique_ptr<terminal::LogWriter> writer;
    if (options->dryRun) {
        writer = std::make_unique<terminal::DiscardingLogWriter>();
    } else if (opened->copy) {
        writer =
            std::make_unique<contingency::OutboxWriter>(connection, &QDateTime::currentDateTime);
    } else {
        writer = std::make_unique<terminal::DatabaseLogWriter>(connection);
    }
    // The turnstile pulses as the terminal's would, for the real length of the pulse; a dry
    // run records the pulse instead.
    terminal::ComPortRts rts(local);
    terminal::QtPump pulseTime;
    std::optional<terminal::DeviceTurnstileOutputs> outputs;
    if (!options->dryRun) {
        events.setDevice(&outputs.emplace(local, pulseTime, rts));
    }
    std::optional<biometrics::FingerImage> finger;
    std::unique_ptr<HeadlessFingerprint> fingerprintParts;
    if (!options->finger.isEmpty()) {
        auto image = biometrics::fingerNamed(options->finger);
        auto parts = image.ok()
                         ? HeadlessFingerprint::start(connection, events, events, events)
                         : store::Result<std::unique_ptr<HeadlessFingerprint>>(image.error());
        if (!parts.ok()) {
            context.err << "orvalen identify: --finger: " << parts.error().message << '\n';
            return 1;
        }
        finger = std::move(image.value());
        fingerprintParts = std::move(parts.value());
    }
    terminal::NoReaderLine readerLine;
    terminal::NoFingerprintReader noFingerprint;
    terminal::FingerprintReader& fingerprint =
        fingerprintParts ? fingerprintParts->reader() : noFingerprint;
    terminal::TerminalUnit unit;
    unit.operatorCode = QStringLiteral("00");
    terminal::TerminalScreen screen(terminal::ScreenServices{
        connection, events, events, events, events, *writer,
        terminal::Devices{readerLine, fingerprint}, unit, local, &events,
        fingerprintParts ? fingerprintParts->captureScreen() : nullptr, &events});
    if (fingerprintParts) {
        fingerprintParts->attach(screen);
    }

    screen.FormCreate(1024, 768);
    screen.FormShow();
    if (screen.state().closeRequested) {
        return 1;
    }
    screen.FormActivate();
    if (options->observation) {
        typeObservation(screen, *options->observation);
    }
    if (options->branch &&
        !chooseBranch(screen, *options->branch, QStringLiteral("identify"), context.err)) {
        return 1;
    }
    if (finger) {
        if (const store::Status taken = fingerprintParts->present(*finger, kFingerLimit);
            !taken.ok()) {
            context.err << "orvalen identify: --finger: " << taken.error().message << '\n';
            return 1;
        }
    } else {
        if (const auto unidentified =
                typeForIdentification(screen, options->text, options->nameMode)) {
            context.err << "orvalen identify: " << unidentified->reason << '\n';
            return unidentified->status;
        }
        desk::pressEnter(screen);
    }
    return screen.state().closeRequested ? 1 : 0;
}

} // namespace orvalen::tool
