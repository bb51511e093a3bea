#include "store/datalink.h"

#include "store/config_file.h"
#include "store/datalink_text.h"

#include <QSaveFile>

namespace orvalen::store {

QString DataLink::property(const QString& key) const {
    for (auto it = properties.constBegin(); it != properties.constEnd(); ++it) {
        if (it.key().compare(key, Qt::CaseInsensitive) == 0) {
            return it.value();
        }
    }
    return {};
}

namespace {

Result<QByteArray> readBytes(const QString& file) {
    auto bytes = readConfigFile(file, QStringLiteral("the data-link file"));
    if (!bytes.ok()) {
        return bytes.error();
    }
    if (!bytes->has_value()) {
        return Error{QStringLiteral("the data-link file %1 does not exist").arg(file)};
    }
    return std::move(*bytes.value());
}

} // namespace

Result<DataLink> readDataLink(const QString& file) {
    auto bytes = readBytes(file);
    if (!bytes.ok()) {
        return bytes.error();
    }
    DataLink link;
    link.file = file;
    const DecodedText decoded = decodeDataLinkText(bytes.value());
    link.encoding = decoded.encoding;
    link.text = decoded.text;
    if (link.text.trimmed().isEmpty()) {
        return Error{QStringLiteral("the data-link file %1 is empty").arg(file)};
    }
    link.properties = parseDataLinkProperties(link.text);
    if (link.properties.isEmpty()) {
        return Error{
            QStringLiteral("the data-link file %1 holds no connection properties").arg(file)};
    }
    return link;
}

Result<ConnectionSpec> connectionSpecFromFile(const QString& file, const LocalSettings& local) {
    auto link = readDataLink(file);
    if (!link.ok()) {
        return link.error();
    }
    return connectionSpecFor(link.value(), local);
}

Status rewriteBranchDataLink(const QString& file, const QString& branchAddress) {
    auto bytes = readBytes(file);
    if (!bytes.ok()) {
        return bytes.error();
    }
    const DecodedText decoded = decodeDataLinkText(bytes.value());
    // The branch file names its server last ("...;Data Source=HOST"). The text is cut
    // right after the first "ce=" -- the end of "Data Source=" -- and the branch address
    // takes the place of the old value. With p the 1-based position of that "c", the text
    // kept is its first p + 2 characters, "...Source=" included: index + 3 counted from 0.
    const qsizetype index = decoded.text.indexOf(QLatin1String("ce="));
    if (index < 0) {
        // Cutting at a missing key would leave two characters and the address: a file no
        // connection could use. Leave it as it is.
        return Error{
            QStringLiteral("the data-link file %1 has no Data Source to point at the branch")
                .arg(file)};
    }
    const QString rewritten = decoded.text.left(index + 3) + branchAddress.trimmed();

    const QStringList lines = splitDataLinkLines(rewritten);
    if (lines.isEmpty()) {
        return Status::success();
    }
    // Written back line by line with CR LF after each, as the editors of these files do.
    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(encodeDataLinkText(decoded.encoding, text)) < 0 || !out.commit()) {
        return Error{
            QStringLiteral("cannot write the data-link file %1: %2").arg(file, out.errorString())};
    }
    return Status::success();
}

} // namespace orvalen::store
