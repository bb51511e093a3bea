#include "contingency/away_club.h"

#include "demo_club/member_catalogue.h"
#include "support/test_database.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvalen::test {

AwayClub::AwayClub() {
    const ToolRun refreshed = contingency(QStringLiteral("refresh"));
    EXPECT_EQ(refreshed.status, 0) << refreshed.out.toStdString();
}

ToolRun AwayClub::tool(QStringList arguments) const {
    arguments << QStringLiteral("--datalink-dir") << demo_.folder();
    return runToolHere(arguments);
}

ToolRun AwayClub::contingency(const QString& action) const {
    return tool({QStringLiteral("contingency"), action});
}

ToolRun AwayClub::identify(const QString& text, const QString& at) const {
    return runToolHere({QStringLiteral("identify"), QStringLiteral("--datalink-dir"),
                        demo_.folder(), QStringLiteral("--at"), at, text});
}

void AwayClub::away() const {
    ASSERT_TRUE(QFile::rename(clubPath(), clubPath() + QStringLiteral(".away")));
}

void AwayClub::back() const {
    ASSERT_TRUE(QFile::rename(clubPath() + QStringLiteral(".away"), clubPath()));
}

QVariant AwayClub::clubValue(const QString& sql) const {
    store::ClubConnection club(sqliteSpec(clubPath(), Route::Direct),
                               QStringLiteral("away-club-check"));
    EXPECT_TRUE(club.open().ok());
    auto rows = club.fetchAll(sql);
    EXPECT_TRUE(rows.ok()) << (rows.ok() ? "" : rows.error().message.toStdString());
    return rows.ok() && !rows->empty() ? rows->front().value(0) : QVariant();
}

std::optional<store::Error> KillingGate::beforeStatement(QSqlDatabase&, const QString&) {
    step();
    return std::nullopt;
}

std::optional<store::Error> KillingGate::beforeCommit(QSqlDatabase&) {
    step();
    return std::nullopt;
}

void KillingGate::step() {
    if (++steps_ == at_) {
        _exit(9);
    }
}

int childExit(const std::function<void()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        body();
        _exit(0);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

QList<std::pair<QString, QString>> catalogueNumbers(const QString& folder) {
    QFile file(QDir(folder).filePath(QLatin1String(demo::kCatalogueFile)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QList<std::pair<QString, QString>> numbers;
    for (const demo::CatalogueEntry& entry :
         demo::readCatalogue(QString::fromUtf8(file.readAll()))) {
        numbers.append({entry.situation, entry.number});
    }
    return numbers;
}

} // namespace orvalen::test
