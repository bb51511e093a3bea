#include "bench_club/bench_members.h"

#include "bench_club/bulk_insert.h"
#include "bench_club/progress_ticker.h"
#include "demo_club/club_plan.h"
#include "demo_club/club_setup.h"
#include "demo_club/member_cases.h"
#include "demo_club/offerings.h"
#include "demo_club/payment_patterns.h"
#include "demo_club/pictures.h"
#include "demo_club/portuguese_names.h"
#include "store/db_values.h"

#include <QColor>
#include <algorithm>
#include <array>
#include <vector>

namespace orvalen::bench {

namespace {

using store::Status;

// Portraits are slow to draw; members of a sample share a few dozen.
constexpr int kDistinctPortraits = 24;
// A former member's receipts are at most ten years of months.
constexpr int kMaximumFormerReceipts = 120;

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

demo::DemoMember regularMember(QRandomGenerator& random, const QString& number,
                               const QDate& today) {
    demo::DemoMember m;
    m.number = number;
    m.name = demo::portugueseName(random);
    m.birth = demo::dateBetween(random, today.addYears(-70), today.addYears(-14));
    if (m.birth.month() == today.month() && m.birth.day() == today.day()) {
        m.birth = m.birth.addDays(1); // a birthday adds a message of its own
    }
    m.registered = demo::dateBetween(random, today.addYears(-3), today.addMonths(-3));
    m.medical = demo::dateBetween(random, today.addMonths(-(demo::kAssessmentMonths - 1)),
                                  today.addDays(-1));
    m.functional = demo::dateBetween(random, today.addMonths(-(demo::kAssessmentMonths - 1)),
                                     today.addDays(-1));
    m.fee = twoDigits(1 + random.bounded(7));
    m.activities = {demo::activityCodes().first()};
    demo::applyPayment(m, demo::Payment::UpToDate, today);
    return m;
}

// The mix the benchmark meets at the turnstile.
void shape(demo::DemoMember& m, const QStringList& classCodes, QRandomGenerator& random,
           const QDate& today) {
    const int roll = random.bounded(100);
    if (roll < 8) {
        demo::applyPayment(m, demo::Payment::WithinTolerance, today);
    } else if (roll < 16) {
        demo::applyPayment(m, demo::Payment::Overdue, today);
    } else if (roll < 20) {
        demo::applyPayment(m, demo::Payment::None, today);
        m.fee = QLatin1String(demo::kGympassFee);
        m.gympass = true;
    }
    const int classRoll = random.bounded(100);
    if (classRoll < 60) {
        demo::joinClass(m, QLatin1String(demo::kAllDayClass));
    } else if (classRoll < 85 && !classCodes.isEmpty()) {
        m.classes << classCodes.at(random.bounded(int(classCodes.size())));
    }
}

} // namespace

QStringList generatedClassCodes(int count) {
    QStringList codes;
    for (int i = 1; i <= count; ++i) {
        codes << QStringLiteral("B%1").arg(i, 4, 10, QLatin1Char('0'));
    }
    return codes;
}

Status writeClasses(const store::ClubConnection& connection, const QStringList& codes,
                    QRandomGenerator& random, const BenchProgress& progress) {
    const store::Dialect& d = connection.dialect();
    BulkInsert turma(connection, QStringLiteral("Turma"),
                     {QStringLiteral("CODIGO"), QStringLiteral("DESCRICAO"),
                      QStringLiteral("MAXIMO"), QStringLiteral("ATIVOS"),
                      QStringLiteral("HORA_INICIAL"), QStringLiteral("HORA_FINAL"),
                      QStringLiteral("TOLERANCIA"), QStringLiteral("TOLERANCIA_ENTRADA"),
                      QStringLiteral("TOLERANCIA_SAIDA"), QStringLiteral("FILIAL"),
                      QStringLiteral("CODIGO_PROF"), QStringLiteral("SEG"), QStringLiteral("TER"),
                      QStringLiteral("QUA"), QStringLiteral("QUI"), QStringLiteral("SEX"),
                      QStringLiteral("SAB"), QStringLiteral("DOM")});
    ProgressTicker ticker(progress, QStringLiteral("classes"), codes.size());
    for (const QString& code : codes) {
        const QTime start(6 + random.bounded(16), random.bounded(2) * 30);
        const int days = 2 + random.bounded(5);
        std::array<int, 7> on{};
        for (int i = 0; i < days; ++i) {
            on[std::size_t(random.bounded(7))] = 1;
        }
        if (Status s = turma.add(
                {code, QStringLiteral("Turma %1").arg(code), 30, 0, store::timeOfDayValue(d, start),
                 store::timeOfDayValue(d, start.addSecs(3600)), 15, 15, 15,
                 demo::branchText(demo::kMainBranchCode), QStringLiteral("0000000101"), on[0],
                 on[1], on[2], on[3], on[4], on[5], on[6]});
            !s) {
            return s;
        }
        ticker.tick();
    }
    return Status::success();
}

Status writeActiveMembers(const store::ClubConnection& connection, int count, int photos,
                          const QStringList& classCodes, const QDate& today,
                          QRandomGenerator& random, const BenchProgress& progress) {
    const store::Dialect& d = connection.dialect();
    QStringList columns{QStringLiteral("MATRICULA"),       QStringLiteral("NOME"),
                        QStringLiteral("DATA_NASCIMENTO"), QStringLiteral("DIA_VENCIMENTO"),
                        QStringLiteral("DATA_CADASTRADO"), QStringLiteral("OBSERVACAO"),
                        QStringLiteral("DESCONTO"),        QStringLiteral("MODALIDADE"),
                        QStringLiteral("PLANOS"),          QStringLiteral("DATA_MEDICA"),
                        QStringLiteral("DATA_FUNCIONAL"),  QStringLiteral("MENSAGEM"),
                        QStringLiteral("BOLSISTA"),        QStringLiteral("PENDENCIA"),
                        QStringLiteral("BLOQUEIA_ROLETA"), QStringLiteral("Gympass"),
                        QStringLiteral("TURMA_A")};
    BulkInsert active(connection, QStringLiteral("AlunosAtivos"), columns);
    BulkInsert alunos(connection, QStringLiteral("Alunos"), {QStringLiteral("Matricula")});
    BulkInsert activities(
        connection, QStringLiteral("ALUNOSATIVIDADES"),
        {QStringLiteral("MATRICULA"), QStringLiteral("ATIVIDADE"), QStringLiteral("FILIAL")});
    BulkInsert receipts(
        connection, QStringLiteral("RECEB"),
        {QStringLiteral("MATRICULA"), QStringLiteral("MES"), QStringLiteral("ANO")});
    BulkInsert photo(
        connection, QStringLiteral("FotosAlunos"),
        {QStringLiteral("MATRICULA"), QStringLiteral("FOTO1"), QStringLiteral("FILIAL")});
    BulkInsert release(connection, QStringLiteral("LiberaGympass"),
                       {QStringLiteral("Matricula"), QStringLiteral("Data"),
                        QStringLiteral("Operador"), QStringLiteral("Usuario")});
    const QString branch = demo::branchText(demo::kMainBranchCode);
    std::vector<QByteArray> portraits;
    // Every n-th member has a photo, so that the sample spreads over the whole list.
    const int photoEvery = photos > 0 ? std::max(1, count / photos) : 0;
    ProgressTicker ticker(progress, QStringLiteral("active members"), count);
    for (int i = 0; i < count; ++i) {
        demo::DemoMember m =
            regularMember(random, demo::enrollmentNumber(kFirstActiveMember + i), today);
        shape(m, classCodes, random, today);
        if (Status s =
                active.add({m.number, m.name, store::dateValue(d, m.birth), m.dueDay,
                            store::dateValue(d, m.registered), QString(), m.discount, m.fee, m.plan,
                            store::dateValue(d, m.medical), store::dateValue(d, m.functional),
                            m.message, 0, m.pending, 0, m.gympass ? 1 : 0, m.classes.value(0)});
            !s) {
            return s;
        }
        if (Status s = alunos.add({m.number}); !s) {
            return s;
        }
        for (const QString& code : m.activities) {
            if (Status s = activities.add({m.number, code, branch}); !s) {
                return s;
            }
        }
        for (const demo::Receipt& r : m.receipts) {
            if (Status s = receipts.add({m.number, twoDigits(r.month), QString::number(r.year)});
                !s) {
                return s;
            }
        }
        if (m.gympass && random.bounded(2) == 0) {
            if (Status s = release.add({m.number, store::dateValue(d, today),
                                        QLatin1String(demo::kOperatorCode),
                                        QLatin1String(demo::kOperatorCode)});
                !s) {
                return s;
            }
        }
        if (photoEvery > 0 && i % photoEvery == 0 && i / photoEvery < photos) {
            if (portraits.size() < kDistinctPortraits) {
                portraits.push_back(demo::portraitJpeg(
                    m.name, m.colour.isValid() ? m.colour : QColor(90, 140, 200)));
            }
            if (Status s = photo.add(
                    {m.number, portraits[std::size_t(i / photoEvery) % portraits.size()], branch});
                !s) {
                return s;
            }
        }
        ticker.tick();
    }
    return Status::success();
}

Status writeFormerMembers(const store::ClubConnection& connection, int count, qint64 receipts,
                          const QDate& today, QRandomGenerator& random,
                          const BenchProgress& progress) {
    BulkInsert alunos(connection, QStringLiteral("Alunos"), {QStringLiteral("Matricula")});
    BulkInsert receipt(connection, QStringLiteral("RECEB"),
                       {QStringLiteral("MATRICULA"), QStringLiteral("MES"), QStringLiteral("ANO")});
    ProgressTicker ticker(progress, QStringLiteral("former members"), count);
    for (int i = 0; i < count; ++i) {
        const QString number = demo::enrollmentNumber(kFirstFormerMember + i);
        if (Status s = alunos.add({number}); !s) {
            return s;
        }
        // The receipts left are shared evenly; each member's months run up to the month he left.
        const qint64 share = receipts / count + (i < receipts % count ? 1 : 0);
        const int months = int(std::min<qint64>(share, kMaximumFormerReceipts));
        QDate month = today.addMonths(-1 - random.bounded(36));
        for (int k = 0; k < months; ++k) {
            if (Status s =
                    receipt.add({number, twoDigits(month.month()), QString::number(month.year())});
                !s) {
                return s;
            }
            month = month.addMonths(-1);
        }
        ticker.tick();
    }
    return Status::success();
}

} // namespace orvalen::bench
