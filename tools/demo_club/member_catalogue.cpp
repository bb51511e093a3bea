#include "demo_club/member_catalogue.h"

#include "demo_club/club_setup.h"

#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>

namespace orvalen::demo {

QString catalogueText(const QList<CatalogueEntry>& entries, const QDate& businessDate) {
    QString text;
    text += QStringLiteral("# Orvalen demo club: who to try at the terminal.\n");
    text += QStringLiteral(
                "# The situations hold for the business date %1, the day the club was created;\n")
                .arg(businessDate.toString(QStringLiteral("dd/MM/yyyy")));
    text += QStringLiteral("# delete the folder and create it again for another day.\n");
    text += QStringLiteral(
        "# Students: type the ten digits or the number without its leading zeros.\n");
    text += QStringLiteral(
        "# Employees: \"00\" and the short number (00101), or a card number starting 91.\n");
    text += QStringLiteral(
        "# Database away: `orvalen contingency refresh --datalink-dir DIR`, rename club.db away,\n"
        "# identify anyone above (decided from the copy), rename it back, then `orvalen "
        "contingency replay`.\n\n");
    text += QStringLiteral("operator %1 password %2 (%3)\n")
                .arg(QLatin1String(kOperatorCode), QLatin1String(kOperatorPassword),
                     QLatin1String(kOperatorName));
    text += QStringLiteral("visitor %1\n").arg(QLatin1String(kVisitorCard));

    QStringList order;
    for (const CatalogueEntry& e : entries) {
        if (!order.contains(e.situation)) {
            order << e.situation;
        }
    }
    for (const QString& situation : order) {
        text += QStringLiteral("\n[%1]\n").arg(situation);
        for (const CatalogueEntry& e : entries) {
            if (e.situation == situation) {
                text += e.number + QStringLiteral("  ") + e.description + QLatin1Char('\n');
            }
        }
    }
    return text;
}

store::Status writeCatalogue(const QString& file, const QList<CatalogueEntry>& entries,
                             const QDate& businessDate) {
    QSaveFile out(file);
    const QByteArray bytes = catalogueText(entries, businessDate).toUtf8();
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        return store::Error{QStringLiteral("cannot write %1: %2").arg(file, out.errorString())};
    }
    return store::Status::success();
}

QList<CatalogueEntry> readCatalogue(const QString& text) {
    static const QRegularExpression section(QStringLiteral("^\\[([a-z-]+)\\]$"));
    static const QRegularExpression entry(QStringLiteral("^(\\d{10})  (.+)$"));
    QList<CatalogueEntry> entries;
    QString current;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (const auto m = section.match(line); m.hasMatch()) {
            current = m.captured(1);
        } else if (const auto e = entry.match(line); e.hasMatch() && !current.isEmpty()) {
            entries.append({current, e.captured(1), e.captured(2)});
        }
    }
    return entries;
}

} // namespace orvalen::demo
