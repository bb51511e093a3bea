#include "bench_club/bench_history.h"

#include "bench_club/bulk_insert.h"
#include "bench_club/progress_ticker.h"
#include "demo_club/club_setup.h"
#include "store/db_values.h"

#include <vector>

namespace orvalen::bench {

namespace {

using store::Status;

constexpr int kHistoryDays = 730;
constexpr int kOpeningSecond = 6 * 3600;
constexpr int kClosingSecond = 22 * 3600;
const char* const kGranted = "Acesso Livre";

struct Person {
    QString number;
    QString name;
};

store::Result<std::vector<Person>> activeMembers(const store::ClubConnection& connection) {
    auto rows = connection.execute(QStringLiteral("SELECT MATRICULA, NOME FROM AlunosAtivos"));
    if (!rows.ok()) {
        return rows.error();
    }
    std::vector<Person> people;
    while (rows->next()) {
        people.push_back({rows->value(0).toString(), rows->value(1).toString()});
    }
    if (people.empty()) {
        return store::Error{QStringLiteral("AlunosAtivos has no members to write accesses for")};
    }
    return people;
}

QStringList logColumns() {
    return {QStringLiteral("MATRICULA"), QStringLiteral("DATA"),         QStringLiteral("HORA"),
            QStringLiteral("STATUS"),    QStringLiteral("OBS"),          QStringLiteral("FILIAL"),
            QStringLiteral("NOME"),      QStringLiteral("CODIGO_FILIAL")};
}

// Mostly grants; the rest refusals for a situation or for the hour.
std::pair<QString, QString> outcome(QRandomGenerator& random) {
    const int roll = random.bounded(100);
    if (roll < 90) {
        return {QStringLiteral("L"), QLatin1String(kGranted)};
    }
    if (roll < 96) {
        return {QStringLiteral("S"), QStringLiteral("Sob Consulta !!!")};
    }
    return {QStringLiteral("H"), QStringLiteral("Fora de Hora !!!")};
}

} // namespace

Status writeAccessHistory(const store::ClubConnection& connection, qint64 rows,
                          const QDate& businessDate, QRandomGenerator& random,
                          const BenchProgress& progress) {
    const auto people = activeMembers(connection);
    if (!people.ok()) {
        return people.error();
    }
    const store::Dialect& d = connection.dialect();
    BulkInsert acesso(connection, QStringLiteral("Acesso"), logColumns());
    const QString branch = demo::branchText(demo::kMainBranchCode);
    ProgressTicker ticker(progress, QStringLiteral("access history"), rows);
    qint64 written = 0;
    for (int day = kHistoryDays; day >= 1 && written < rows; --day) {
        const QVariant date = store::dateValue(d, businessDate.addDays(-day));
        // The days share the rows; the first days take the remainder.
        const qint64 today = rows / kHistoryDays + (kHistoryDays - day < rows % kHistoryDays);
        for (qint64 k = 0; k < today; ++k) {
            const Person& who = people.value()[std::size_t(random.bounded(int(people->size())))];
            const int second = kOpeningSecond + int((kClosingSecond - kOpeningSecond) * k /
                                                    std::max<qint64>(1, today));
            const auto [status, obs] = outcome(random);
            if (Status s = acesso.add({who.number, date,
                                       store::timeOfDayValue(d, QTime(0, 0).addSecs(second)),
                                       status, obs, branch, who.name, demo::kMainBranchCode});
                !s) {
                return s;
            }
            ++written;
            ticker.tick();
        }
    }
    return Status::success();
}

Status writeTodaysAccesses(const store::ClubConnection& connection, int rows, const QDateTime& now,
                           QRandomGenerator& random, const BenchProgress& progress) {
    const auto people = activeMembers(connection);
    if (!people.ok()) {
        return people.error();
    }
    const store::Dialect& d = connection.dialect();
    QStringList columns = logColumns();
    columns << QStringLiteral("DIA_VENCIMENTO");
    BulkInsert dia(connection, QStringLiteral("AcessoDia"), columns);
    const QString branch = demo::branchText(demo::kMainBranchCode);
    const QVariant date = store::dateValue(d, now.date());
    const int until = std::max(1, now.time().msecsSinceStartOfDay() / 1000);
    ProgressTicker ticker(progress, QStringLiteral("today's accesses"), rows);
    for (int k = 0; k < rows; ++k) {
        const Person& who = people.value()[std::size_t(random.bounded(int(people->size())))];
        const auto [status, obs] = outcome(random);
        const QTime at = QTime(0, 0).addSecs(int(qint64(until) * k / std::max(1, rows)));
        if (Status s = dia.add({who.number, date, store::timeOfDayValue(d, at), status, obs, branch,
                                who.name, demo::kMainBranchCode, 10});
            !s) {
            return s;
        }
        ticker.tick();
    }
    return Status::success();
}

} // namespace orvalen::bench
