#pragma once

#include "bench_club/bench_club.h"
#include "store/connection.h"

#include <QRandomGenerator>
#include <QStringList>

namespace orvalen::bench {

// The sample fingers enrolled among the generated ones, last of all, so that a search for
// one of them goes through the whole gallery; the second presentation of each ("whorl_rot")
// is what the benchmark places on the reader.
QStringList enrolledSampleFingers();

// Enrols the members' fingers in both template columns (Alunos.Digital_Persona and
// AlunosAtivos.DIGITAL) in this terminal's own encoding: synthetic prints, and the sample
// fingers for the last members, their minutiae found by the fingerprint library.
store::Status enrolFingers(const store::ClubConnection& connection, const QStringList& members,
                           QRandomGenerator& random, const BenchProgress& progress);

} // namespace orvalen::bench
