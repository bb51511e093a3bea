#include "app/tool/demo_command.h"

#include "biometrics/finger_image.h"
#include "biometrics/fingerprint_engine.h"
#include "demo_club/demo_club.h"
#include "demo_club/demo_devices.h"
#include "demo_club/member_catalogue.h"

#include <QDir>

namespace orvalen::tool {

namespace {

int usage(CommandContext& context) {
    context.err << "usage: orvalen demo create DIR [--members N] [--devices | --no-devices] "
                   "[--fingerprints]\n";
    return 2;
}

// The four sample fingers as the reader software stores them, extracted by the fingerprint
// library.
store::Result<QList<demo::DemoFinger>> sampleFingerTemplates() {
    auto engine = biometrics::FingerprintEngine::start();
    if (!engine.ok()) {
        return engine.error();
    }
    QList<demo::DemoFinger> fingers;
    for (const char* name : {"whorl", "arch", "loop-right", "tented_arch"}) {
        auto image = biometrics::sampleFinger(QLatin1String(name));
        auto minutiae = image.ok() ? engine.value()->extract(image.value())
                                   : store::Result<biometrics::Minutiae>(image.error());
        if (!minutiae.ok()) {
            return minutiae.error();
        }
        fingers.append({QLatin1String(name), biometrics::digitalText(minutiae.value()),
                        biometrics::personaText(minutiae.value())});
    }
    return fingers;
}

} // namespace

int demoCommand(CommandContext& context) {
    QStringList args = context.arguments;
    if (args.isEmpty() || args.takeFirst() != QLatin1String("create")) {
        return usage(context);
    }
    demo::DemoClubOptions options;
    options.now = QDateTime::currentDateTime();
    QString folder;
    bool fingerprints = false;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == QLatin1String("--members")) {
            bool ok = false;
            options.members = args.isEmpty() ? 0 : args.takeFirst().toInt(&ok);
            if (!ok || options.members < 1) {
                context.err << "orvalen demo: --members needs a positive whole number\n";
                return 2;
            }
        } else if (arg == QLatin1String("--devices")) {
            options.devices = true;
        } else if (arg == QLatin1String("--no-devices")) {
            options.devices = false;
        } else if (arg == QLatin1String("--fingerprints")) {
            fingerprints = true;
        } else if (folder.isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            folder = arg;
        } else {
            return usage(context);
        }
    }
    if (folder.isEmpty()) {
        return usage(context);
    }
    if (fingerprints) {
        auto fingers = sampleFingerTemplates();
        if (!fingers.ok()) {
            context.err << "orvalen demo: --fingerprints: " << fingers.error().message << "\n";
            return 1;
        }
        options.fingers = fingers.value();
    }
    const auto summary = demo::createDemoClub(folder, options);
    if (!summary) {
        context.err << "orvalen demo: " << summary.error().message << "\n";
        return 1;
    }
    const QString where = QDir(folder).absolutePath();
    context.out << (summary->created ? "created the demo club in " : "kept the demo club in ")
                << where << "\n  " << summary->members << " active members; cash period open for "
                << summary->businessDate.toString(QStringLiteral("dd/MM/yyyy"))
                << "\n  who to try: " << QDir(where).filePath(QLatin1String(demo::kCatalogueFile))
                << "\n";
    if (options.devices == true) {
        context.out << "  devices: a Tec12 keypad on "
                    << QDir(where).filePath(QLatin1String(demo::kReaderLineFile))
                    << " (start orvalen reader-sim --link that path) and a Wi-Fi relay at "
                    << demo::kDemoRelayAddress
                    << " (start orvalen relay-sim --port 8080); scripts/demo.sh starts both; "
                       "--no-devices switches them off\n";
    } else if (options.devices == false) {
        context.out << "  devices: none; members type their number at the keyboard\n";
    }
    if (fingerprints) {
        context.out << "  fingerprints: the terminal identifies by finger alone; lay one with "
                       "orvalen send finger whorl_rot --datalink-dir "
                    << where << " (the members are listed under [fingerprint])\n";
    }
    context.out.flush();
    return 0;
}

} // namespace orvalen::tool
