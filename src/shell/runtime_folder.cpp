#include "shell/runtime_folder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <unistd.h>

namespace orvalen::shell {

void ensureRuntimeFolder() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        return;
    }
    const QString folder = QDir::tempPath() + QStringLiteral("/runtime-%1").arg(getuid());
    if (!QDir().mkpath(folder)) {
        return; // Qt then falls back on its own and says so
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
}

} // namespace orvalen::shell
