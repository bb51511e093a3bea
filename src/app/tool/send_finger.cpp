#include "app/tool/send_finger.h"

#include "biometrics/finger_image.h"
#include "biometrics/virtual_reader.h"
#include "store/local_settings.h"

namespace orvalen::tool {

int sendFinger(CommandContext& context) {
    QStringList words = context.arguments; // "finger" NAME [--datalink-dir DIR]
    const QString folder = store::dataLinkFolder(words);
    const qsizetype option = words.indexOf(QStringLiteral("--datalink-dir"));
    if (option >= 0) {
        words.remove(option, qMin<qsizetype>(2, words.size() - option));
    }
    if (words.size() != 2) {
        context.err << "usage: orvalen send finger <sample name | file.pgm> [--datalink-dir DIR]\n";
        return 2;
    }
    const auto image = biometrics::fingerNamed(words[1]);
    if (!image.ok()) {
        context.err << "orvalen send finger: " << image.error().message << '\n';
        return 2;
    }
    const auto local = store::LocalSettings::load(folder);
    if (!local.ok()) {
        context.err << "orvalen send finger: " << local.error().message << '\n';
        return 1;
    }
    if (local->virtualFingerReader.isEmpty()) {
        context.err << "orvalen send finger: terminal.ini in " << folder
                    << " names no virtual fingerprint reader ([devices] fingerprint_virtual=)\n";
        return 1;
    }
    const store::Status sent =
        biometrics::sendToVirtualReader(local->virtualFingerReader, image.value());
    if (!sent.ok()) {
        context.err << "orvalen send finger: " << sent.error().message << '\n';
        return 1;
    }
    return 0;
}

} // namespace orvalen::tool
