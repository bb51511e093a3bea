#pragma once

#include "store/aviso.h"
#include "store/connection.h"
#include "store/local_settings.h"
#include "store/result.h"
#include "store/settings.h"

#include <QDate>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace orvalen::store {

// The screens that open tables when they are shown, each in its own fixed order.
enum class OpeningScreen { Terminal, Login, AboutBox, ActivityDialog, Enrolment };

// One dataset of a screen's opening order: the component, the label its failure shows
// (not always the table's name) and the table as the screen names it.
struct DatasetOpening {
    QString component;
    QString label;
    QString table;
};

const std::vector<DatasetOpening>& openingOrder(OpeningScreen screen);

// The business date: DATAABERTURA of the last row of caixa. Unknown when caixa has no row
// or that column is empty or not a date; `problem` then says which, for the exception log
// and the doctor. Without it no access row can carry its date, so nobody is let in.
struct BusinessDate {
    QDate day;
    QString problem;
    bool known() const { return problem.isEmpty(); }
};

// What a screen's opening found. On failure, failedLabel names the first dataset that
// could not be opened and the datasets after it were not touched.
struct OpeningResult {
    bool ok = false;
    QString failedLabel;
    QString why;        // the database's reason, for the exception log
    QStringList opened; // components opened, in order

    std::optional<SettingsRow> sacvar;  // TBLCONTROLE
    std::optional<SettingsRow> sacvar2; // TBLCONTROLE2

    std::optional<QSqlRecord> lastCaixa;         // TBLCAIXA on its last row; none when empty
    std::optional<QSqlRecord> lastCaixaControle; // TBLCAIXACONTROLE on its last row
    // TBLACESSO fetches at most one row: the first of the table in its natural order.
    std::optional<QSqlRecord> firstAcesso;
    BusinessDate businessDate; // of lastCaixa

    // The class-booking portal, only when Sacvar2.AgendamentoAulaPortal is "Sim".
    std::optional<ConnectionSpec> portal;
    QString portalError; // the portal's data-link file could not be used; opening goes on

    bool acessoDiaPurged = false; // the day purge removed rows of earlier days
    QStringList acessoDiaUndated; // AcessoDia rows the purge left: their DATA is no date
};

// ABRE_TABELAS: opens a screen's datasets in order. The terminal looks people up by
// number instead of loading whole tables, so opening a table means checking that it and
// every column the screen declares for it are there; the settings rows and the last
// cash rows are read. The terminal also applies the portal switch and the day purge; a
// terminal that writes nothing (a dry run) leaves AcessoDia as it is (`purge` No).
enum class DayPurge { Yes, No };
OpeningResult ABRE_TABELAS(OpeningScreen screen, const ClubConnection& main,
                           const LocalSettings& local, DayPurge purge = DayPurge::Yes);

// A table is usable when a query naming it and every column declared for it runs.
Status checkTable(const ClubConnection& connection, const QString& table);

// The table-open message the caller shows when the opening failed.
void showOpeningFailure(Aviso& aviso, const OpeningResult& result);
inline constexpr auto kOpeningFailureText = "Abertura de tabela !";

// The last row of a table in its natural order with the given columns; none when empty.
Result<std::optional<QSqlRecord>> lastRow(const ClubConnection& connection, const QString& table,
                                          const QStringList& columns);

// What the doctor reads of CaixaControle's last row: whether a cash period is open.
const QStringList& cashControlColumns();

// Re-reads the business date from caixa.
Result<BusinessDate> readBusinessDate(const ClubConnection& connection);

// The portal switch: no spec unless Sacvar2.AgendamentoAulaPortal is exactly "Sim", in
// which case Velmora.udl of the data-link folder is read (and an unusable file reported).
Result<std::optional<ConnectionSpec>> portalConnection(const SettingsRow& sacvar2,
                                                       const LocalSettings& local);

// The day purge of AcessoDia: when the business date is later than DATA of the last row
// that has a date, the rows whose DATA is an earlier day are deleted in one transaction. A
// row whose DATA is empty or no date belongs to no known day and stays (taking it for
// another day would empty today's rows with it and reset the daily access count); it is
// reported. Without a known business date nothing is deleted.
struct DayPurgeResult {
    bool purged = false; // rows of earlier days were deleted
    QStringList undated; // one line per row left for its DATA, for the exception log
};
Result<DayPurgeResult> purgeAcessoDia(const ClubConnection& main, const BusinessDate& businessDate);

// The AcessoDia rows whose DATA is empty or no date: "MATRICULA 0000010004, DATA "garbage"".
Result<QStringList> undatedDayRows(const ClubConnection& connection);

} // namespace orvalen::store
