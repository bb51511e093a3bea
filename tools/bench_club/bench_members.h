#pragma once

#include "bench_club/bench_club.h"
#include "store/connection.h"

#include <QDate>
#include <QRandomGenerator>
#include <QStringList>

namespace orvalen::bench {

// Numbers of the generated people, beyond the demo club's own.
inline constexpr qint64 kFirstActiveMember = 100001;
inline constexpr qint64 kFirstFormerMember = 1000001;

// The codes of the generated weekly classes ("B0001" ...), each with its timetable.
QStringList generatedClassCodes(int count);

// Turma rows for the generated classes: an hour between 06:00 and 22:00 on two to six days.
store::Status writeClasses(const store::ClubConnection& connection, const QStringList& codes,
                           QRandomGenerator& random, const BenchProgress& progress);

// Active members (AlunosAtivos, Alunos, ALUNOSATIVIDADES, RECEB) as the demo's regular
// members are made: most pay on time, some are within tolerance or overdue, some are in a
// class of the timetable, some come by partner pass; `photos` of them get a photo.
store::Status writeActiveMembers(const store::ClubConnection& connection, int count, int photos,
                                 const QStringList& classCodes, const QDate& businessDate,
                                 QRandomGenerator& random, const BenchProgress& progress);

// Former members (Alunos only) sharing the receipts left to write among them.
store::Status writeFormerMembers(const store::ClubConnection& connection, int count,
                                 qint64 receipts, const QDate& businessDate,
                                 QRandomGenerator& random, const BenchProgress& progress);

} // namespace orvalen::bench
