#include "bench_club/bench_fingers.h"

#include "bench_club/invented_finger.h"
#include "bench_club/progress_ticker.h"
#include "biometrics/finger_image.h"
#include "biometrics/finger_template.h"
#include "biometrics/fingerprint_engine.h"

#include <QSqlError>
#include <QSqlQuery>

namespace orvalen::bench {

namespace {

using store::Status;

store::Result<std::vector<biometrics::Minutiae>> samplePrints() {
    auto engine = biometrics::FingerprintEngine::start();
    if (!engine.ok()) {
        return store::Error{QStringLiteral("the sample fingers need the fingerprint library: ") +
                            engine.error().message};
    }
    std::vector<biometrics::Minutiae> prints;
    for (const QString& name : enrolledSampleFingers()) {
        auto image = biometrics::sampleFinger(name);
        if (!image.ok()) {
            return image.error();
        }
        auto minutiae = engine.value()->extract(image.value());
        if (!minutiae.ok()) {
            return minutiae.error();
        }
        prints.push_back(std::move(minutiae.value()));
    }
    return prints;
}

} // namespace

QStringList enrolledSampleFingers() {
    return {QStringLiteral("arch"), QStringLiteral("loop-right"), QStringLiteral("tented_arch"),
            QStringLiteral("whorl")};
}

Status enrolFingers(const store::ClubConnection& connection, const QStringList& members,
                    QRandomGenerator& random, const BenchProgress& progress) {
    auto samples = samplePrints();
    if (!samples.ok()) {
        return samples.error();
    }
    QSqlQuery persona(connection.database());
    QSqlQuery digital(connection.database());
    if (!persona.prepare(
            QStringLiteral("UPDATE Alunos SET Digital_Persona = ? WHERE Matricula = ?")) ||
        !digital.prepare(
            QStringLiteral("UPDATE AlunosAtivos SET DIGITAL = ? WHERE MATRICULA = ?"))) {
        return store::Error{
            QStringLiteral("cannot prepare the finger rows: ") +
            store::describeError(persona.lastError().isValid() ? persona : digital)};
    }
    const qsizetype firstSample = members.size() - qsizetype(samples->size());
    // The invented prints follow a ridge flow as real fingers do, so that the sample fingers
    // score against them as against other real fingers; the club's seed gives the same ones.
    std::mt19937 flows(random.generate());
    ProgressTicker ticker(progress, QStringLiteral("enrolled fingers"), members.size());
    for (qsizetype i = 0; i < members.size(); ++i) {
        const biometrics::Minutiae print = i >= firstSample
                                               ? samples.value()[std::size_t(i - firstSample)]
                                               : inventedFinger(flows);
        persona.bindValue(0, biometrics::personaText(print));
        persona.bindValue(1, members.at(i));
        digital.bindValue(0, biometrics::digitalText(print));
        digital.bindValue(1, members.at(i));
        if (!persona.exec() || !digital.exec()) {
            return store::Error{
                QStringLiteral("cannot enrol the finger of %1: %2")
                    .arg(members.at(i),
                         store::describeError(persona.lastError().isValid() ? persona : digital))};
        }
        ticker.tick();
    }
    return Status::success();
}

} // namespace orvalen::bench
