#include "load/load_run.h"

#include "load/load_club.h"
#include "load/resident_memory.h"
#include "store/datalink.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

namespace orvalen::load {

namespace {

constexpr long kWarmUpShare = 10;

store::Result<store::ConnectionSpec> specOf(const QString& folder, store::LocalSettings& local) {
    auto loaded = store::LocalSettings::load(folder);
    if (!loaded.ok()) {
        return loaded.error();
    }
    local = loaded.value();
    return store::connectionSpecFromFile(QDir(folder).filePath(QLatin1String(store::kMainDataLink)),
                                         local);
}

// The texts of the message boxes and how often each appeared.
QJsonObject counted(const QStringList& texts) {
    QMap<QString, int> counts;
    for (const QString& text : texts) {
        ++counts[text];
    }
    QJsonObject object;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        object.insert(it.key(), it.value());
    }
    return object;
}

} // namespace

LoadRunResult runLoad(const LoadRunOptions& options) {
    LoadRunResult result;
    auto numbers = loadNumbers(options.folder);
    store::LocalSettings local;
    auto spec = specOf(options.folder, local);
    if (!numbers.ok() || !spec.ok() || numbers->isEmpty()) {
        result.error = !numbers.ok() ? numbers.error().message
                       : !spec.ok()  ? spec.error().message
                                     : QStringLiteral("the folder gives no numbers to type");
        return result;
    }
    QFile ledger(options.ledger);
    if (!options.ledger.isEmpty() &&
        !ledger.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        result.error = QStringLiteral("cannot write the ledger %1").arg(options.ledger);
        return result;
    }

    LoadTerminal terminal(spec.value(), local, QStringLiteral("orvalen-load-") + options.name,
                          QDateTime::currentDateTime());
    if (ledger.isOpen()) {
        terminal.setLedger(&ledger);
    }
    if (store::Status opened = terminal.open(); !opened.ok()) {
        result.error = opened.error().message;
        return result;
    }
    result.memory.opened = residentKilobytes();
    const long warmUp = std::max(1L, options.count / kWarmUpShare);
    QElapsedTimer timer;
    timer.start();
    for (long i = 0; i < options.count; ++i) {
        const QString& number = numbers->at((options.offset + i) % numbers->size());
        const bool open = terminal.identify(number);
        if (!open) {
            result.screenClosed = true;
            break;
        }
        if (i + 1 == warmUp) {
            result.memory.warmedUp = residentKilobytes();
        }
    }
    result.seconds = static_cast<double>(timer.elapsed()) / 1000.0;
    result.memory.end = residentKilobytes();
    result.tally = terminal.tally();
    return result;
}

QString describe(const LoadRunOptions& options, const LoadRunResult& result) {
    const LoadTally& tally = result.tally;
    const QJsonObject object{
        {QStringLiteral("terminal"), options.name},
        {QStringLiteral("identifications"), static_cast<qint64>(tally.identifications)},
        {QStringLiteral("rows"), static_cast<qint64>(tally.rows)},
        {QStringLiteral("releases"), static_cast<qint64>(tally.releases)},
        {QStringLiteral("last_places_lost"), static_cast<qint64>(tally.lastPlacesLost)},
        {QStringLiteral("seconds"), result.seconds},
        {QStringLiteral("rss_kb_opened"), static_cast<qint64>(result.memory.opened)},
        {QStringLiteral("rss_kb_warmed_up"), static_cast<qint64>(result.memory.warmedUp)},
        {QStringLiteral("rss_kb_end"), static_cast<qint64>(result.memory.end)},
        {QStringLiteral("screen_closed"), result.screenClosed},
        {QStringLiteral("error"), result.error},
        {QStringLiteral("messages"), counted(tally.messages)},
        {QStringLiteral("errors"), QJsonArray::fromStringList(tally.errors)},
        {QStringLiteral("anomalies"), QJsonArray::fromStringList(tally.anomalies)},
    };
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

} // namespace orvalen::load
