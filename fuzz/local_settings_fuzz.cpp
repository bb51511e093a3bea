// terminal.ini as an installer might have typed it: any bytes. The file is taken or refused
// with an error naming it, and every mapping read from it answers without failing.
#include "fuzz_input.h"
#include "store/local_settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using orvalen::fuzz::require;
    namespace store = orvalen::store;
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/orvalen-fuzz-XXXXXX"));
    const QString path = folder.filePath(QStringLiteral("terminal.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        orvalen::fuzz::broken("cannot write the scratch terminal.ini");
    }
    file.write(orvalen::fuzz::bytesOf(data, size));
    file.close();

    const auto settings = store::LocalSettings::load(folder.path());
    if (!settings.ok()) {
        require(settings.error().message.contains(path), "an error that does not name the file");
        return 0;
    }
    for (auto it = settings->ports.cbegin(); it != settings->ports.cend(); ++it) {
        settings->deviceForPort(it.key());
        settings->deviceForParallelAddress(it.key());
        settings->deviceForConverter(it.key());
    }
    settings->deviceForPort(QStringLiteral("COM1"));
    settings->deviceForParallelAddress(QStringLiteral("378"));
    return 0;
}
