#pragma once

#include "store/result.h"

#include <QDateTime>
#include <QString>
#include <functional>

namespace orvalen::bench {

// The sizes of a large club. The defaults are the club the terminal's performance targets
// are set for.
struct BenchClubOptions {
    int activeMembers = 20000; // AlunosAtivos
    int totalMembers = 100000; // Alunos: the active ones and former members
    qint64 receipts = 1000000; // RECEB
    qint64 history = 2000000;  // Acesso rows of the past two years
    int todayRows = 5000;      // AcessoDia rows of the business date
    int classes = 300;         // Turma rows with their timetables
    int fingers = 10000;       // enrolled fingers (Alunos.Digital_Persona, AlunosAtivos.DIGITAL)
    int photos = 2000;         // members with a photo in FotosAlunos
    quint32 seed = 20261210;
    QDateTime now; // its date becomes the business date
};

// How far the generator is: the step, rows written and rows the step writes.
using BenchProgress = std::function<void(const QString& step, qint64 done, qint64 total)>;

struct BenchClubSummary {
    int activeMembers = 0;
    int totalMembers = 0;
    qint64 receipts = 0;
    qint64 history = 0;
    int fingers = 0;
};

// Creates the demo club in an empty folder and grows it to the sizes asked for; every row
// in one transaction, the lookup indexes in place. The same seed gives the same club.
store::Result<BenchClubSummary> createBenchClub(const QString& folder,
                                                const BenchClubOptions& options,
                                                const BenchProgress& progress);

// The options as a reader can check them: sizes that do not fit together are named.
store::Status checkBenchClubOptions(const BenchClubOptions& options);

} // namespace orvalen::bench
