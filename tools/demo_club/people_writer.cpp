#include "demo_club/people_writer.h"

#include "demo_club/club_setup.h"
#include "demo_club/pictures.h"

namespace orvalen::demo {

namespace {

using store::Status;

Status writeMember(RowWriter& w, const DemoMember& m, const QString& branch) {
    store::Bindings row{
        {QStringLiteral("MATRICULA"), m.number},
        {QStringLiteral("NOME"), m.name},
        {QStringLiteral("DATA_NASCIMENTO"), w.date(m.birth)},
        {QStringLiteral("DIA_VENCIMENTO"), m.dueDay},
        {QStringLiteral("DATA_CADASTRADO"), w.date(m.registered)},
        {QStringLiteral("OBSERVACAO"), QString()},
        {QStringLiteral("DESCONTO"), m.discount},
        {QStringLiteral("MODALIDADE"), m.fee},
        {QStringLiteral("SAIDA"), w.date(m.left)},
        {QStringLiteral("PLANOS"), m.plan},
        {QStringLiteral("DATA_MEDICA"), w.date(m.medical)},
        {QStringLiteral("DATA_FUNCIONAL"), w.date(m.functional)},
        {QStringLiteral("MENSAGEM"), m.message},
        {QStringLiteral("VALIDADE_BOLSA"), w.date(m.scholarshipUntil)},
        {QStringLiteral("BOLSISTA"), RowWriter::flag(m.scholar)},
        {QStringLiteral("DATA_TRANCAMENTO"), w.date(m.locked)},
        {QStringLiteral("REPASSE"), w.date(m.transferUntil)},
        {QStringLiteral("PENDENCIA"), m.pending},
        {QStringLiteral("BLOQUEIA_ROLETA"), RowWriter::flag(m.hold)},
        {QStringLiteral("Gympass"), RowWriter::flag(m.gympass)},
    };
    static const QStringList classSlots{QStringLiteral("TURMA_A"), QStringLiteral("TURMA_B"),
                                        QStringLiteral("TURMA_C"), QStringLiteral("TURMA_D"),
                                        QStringLiteral("TURMA_E"), QStringLiteral("TURMA_F")};
    for (int i = 0; i < classSlots.size(); ++i) {
        row.emplace_back(classSlots.at(i), i < m.classes.size() ? m.classes.at(i) : QString());
    }
    if (Status s = w.insert(QStringLiteral("AlunosAtivos"), row); !s) {
        return s;
    }
    if (Status s = w.insert(QStringLiteral("Alunos"), {{QStringLiteral("Matricula"), m.number}});
        !s) {
        return s;
    }
    if (Status s = w.insert(QStringLiteral("FotosAlunos"),
                            {{QStringLiteral("MATRICULA"), m.number},
                             {QStringLiteral("FOTO1"), portraitJpeg(m.name, m.colour)},
                             {QStringLiteral("FILIAL"), branch}});
        !s) {
        return s;
    }
    for (const Receipt& r : m.receipts) {
        if (Status s = w.insert(QStringLiteral("RECEB"),
                                {{QStringLiteral("MATRICULA"), m.number},
                                 {QStringLiteral("MES"),
                                  QStringLiteral("%1").arg(r.month, 2, 10, QLatin1Char('0'))},
                                 {QStringLiteral("ANO"), QString::number(r.year)}});
            !s) {
            return s;
        }
    }
    for (const QString& activity : m.activities) {
        if (Status s = w.insert(QStringLiteral("ALUNOSATIVIDADES"),
                                {{QStringLiteral("MATRICULA"), m.number},
                                 {QStringLiteral("ATIVIDADE"), activity},
                                 {QStringLiteral("FILIAL"), branch}});
            !s) {
            return s;
        }
    }
    return Status::success();
}

Status writeEmployee(RowWriter& w, const DemoEmployee& e, const QString& branch) {
    if (Status s = w.insert(QStringLiteral("Funcionarios"),
                            {{QStringLiteral("MATRICULA"), e.number},
                             {QStringLiteral("NOME"), e.name},
                             {QStringLiteral("DATA_DEMISSAO"), w.date(e.dismissed)},
                             {QStringLiteral("CARGO"), e.role},
                             {QStringLiteral("DATA_NASCIMENTO"), w.date(e.birth)},
                             {QStringLiteral("ACESSOLIBERADO"), e.allowedMonth}});
        !s) {
        return s;
    }
    return w.insert(QStringLiteral("FotosFuncionarios"),
                    {{QStringLiteral("MATRICULA"), e.number},
                     {QStringLiteral("FOTO1"), portraitJpeg(e.name, e.colour)},
                     {QStringLiteral("FILIAL"), branch}});
}

} // namespace

Status writePeople(RowWriter& w, const ClubPlan& plan, const QDate& businessDate,
                   double branchCode) {
    const QString branch = branchText(branchCode);
    for (const DemoMember& m : plan.members) {
        if (Status s = writeMember(w, m, branch); !s) {
            return s;
        }
    }
    for (const QString& former : plan.formerStudents) {
        if (Status s = w.insert(QStringLiteral("Alunos"), {{QStringLiteral("Matricula"), former}});
            !s) {
            return s;
        }
        if (Status s =
                w.insert(QStringLiteral("alunosinativos"), {{QStringLiteral("matricula"), former}});
            !s) {
            return s;
        }
    }
    for (const DemoEmployee& e : plan.employees) {
        if (Status s = writeEmployee(w, e, branch); !s) {
            return s;
        }
    }
    for (const Booking& b : plan.bookings) {
        if (Status s = w.insert(QStringLiteral("FrequenciaAula"),
                                {{QStringLiteral("MATRICULA"), b.number},
                                 {QStringLiteral("DATA"), w.date(b.day)},
                                 {QStringLiteral("CLIENTE"), branchCode},
                                 {QStringLiteral("Codigo_Aula"), b.classCode},
                                 {QStringLiteral("ATIVIDADE"), b.activity}});
            !s) {
            return s;
        }
    }
    for (const QString& number : plan.gympassReleases) {
        if (Status s = w.insert(QStringLiteral("LiberaGympass"),
                                {{QStringLiteral("Matricula"), number},
                                 {QStringLiteral("Data"), w.date(businessDate)},
                                 {QStringLiteral("Operador"), QLatin1String(kOperatorCode)},
                                 {QStringLiteral("Usuario"), QLatin1String(kOperatorCode)}});
            !s) {
            return s;
        }
    }
    return Status::success();
}

} // namespace orvalen::demo
