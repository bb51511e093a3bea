#include "desk/explanation_words.h"

#include <cstring>

namespace orvalen::desk {

namespace {

struct Words {
    const char* key;
    const char* portuguese;
    const char* english;
};

// The checks of the decisions, by the names the rules tell them under.
const Words kChecks[] = {
    {"student.found", "Aluno ativo em AlunosAtivos", "Active student in AlunosAtivos"},
    {"student.birth_day", "Dia de nascimento digitado", "Typed day of birth"},
    {"record.hold", "Bloqueio no cadastro (BLOQUEIA_ROLETA)",
     "Hold on the record (BLOQUEIA_ROLETA)"},
    {"record.pending", "Pendência financeira (PENDENCIA)", "Pending balance (PENDENCIA)"},
    {"fee.free_access", "Mensalidade de acesso livre (ACESSOLIVRE)",
     "Monthly fee with free access (ACESSOLIVRE)"},
    {"record.left", "Saída do clube (SAIDA)", "Left the club (SAIDA)"},
    {"reentry", "Tolerância de reentrada (TOLERANCIAENTRADA)",
     "Re-entry tolerance (TOLERANCIAENTRADA)"},
    {"assessment.medical", "Avaliação médica (DATA_MEDICA)", "Medical assessment (DATA_MEDICA)"},
    {"assessment.functional", "Avaliação funcional (DATA_FUNCIONAL)",
     "Functional assessment (DATA_FUNCIONAL)"},
    {"assessment.block", "Bloqueio por avaliação vencida (BLOQUEIA_AVALIACAO_ACESSO)",
     "Block for an expired assessment (BLOQUEIA_AVALIACAO_ACESSO)"},
    {"payment.locked", "Trancamento da matrícula (DATA_TRANCAMENTO)",
     "Enrollment locked (DATA_TRANCAMENTO)"},
    {"payment.transfer", "Repasse (REPASSE)", "Transfer period (REPASSE)"},
    {"payment.scholarship", "Bolsa (VALIDADE_BOLSA)", "Scholarship (VALIDADE_BOLSA)"},
    {"payment.due_day", "Dia de vencimento", "Due day"},
    {"payment.receipt", "Mês procurado em RECEB", "Month looked up in RECEB"},
    {"payment.last_day", "Último dia (ULTIMO_DIA) antes do vencimento",
     "Last day (ULTIMO_DIA) before the due day"},
    {"payment.limit", "Data limite com a tolerância (TOLERANCIA_ACESSO)",
     "Limit date with the tolerance (TOLERANCIA_ACESSO)"},
    {"payment.not_yet_enrolled", "Cadastrado depois da data do caixa",
     "Enrolled after the business date"},
    {"payment.receipts", "Pagamentos em dia", "Payments up to date"},
    {"booking.none", "Nenhuma aula agendada para hoje", "No class booked for today"},
    {"booking.activity", "Atividade da aula agendada", "Activity of the booked class"},
    {"booking.window", "Horário da aula agendada", "Hours of the booked class"},
    {"class.slot", "Turma do aluno", "Student's class"},
    {"class.slot_unknown", "Turma que não existe em Turma", "Class not in the timetable"},
    {"class.timetable", "Horário das turmas", "Class hours"},
    {"class.none", "Sem turma com horário", "No class with hours"},
    {"partner_pass.member", "Aluno Gympass", "Gympass member"},
    {"partner_pass", "Liberação Gympass de hoje (LiberaGympass)",
     "Today's Gympass release (LiberaGympass)"},
    {"daily_limit", "Limite de acessos por dia (QTD_ACESSO)", "Daily access limit (QTD_ACESSO)"},
    {"access_point", "Atividades deste ponto de acesso (Acesso.txt)",
     "Activities of this access point (Acesso.txt)"},
    {"employee.found", "Funcionário em Funcionarios", "Employee in Funcionarios"},
    {"employee.dismissed", "Demissão (DATA_DEMISSAO)", "Dismissal (DATA_DEMISSAO)"},
    {"employee.allowed_month", "Último mês liberado (ACESSOLIBERADO)",
     "Last allowed month (ACESSOLIBERADO)"},
    {"visitor", "Visitante: entra sempre", "Visitor: always let in"},
};

// The facts the checks tell.
const Words kFacts[] = {
    {"number", "matrícula", "number"},
    {"on_file", "cadastrado (inativo)", "on file (inactive)"},
    {"typed_day", "dia digitado", "typed day"},
    {"birth_day", "dia de nascimento", "day of birth"},
    {"pending", "valor pendente", "pending amount"},
    {"pending_blocks", "pendência bloqueia (ACESSO_PENDENCIA_BLOQUEIO)",
     "pending balance blocks (ACESSO_PENDENCIA_BLOQUEIO)"},
    {"free_access", "acesso livre", "free access"},
    {"left", "data de saída", "left on"},
    {"last_grant", "último acesso liberado hoje", "last grant today"},
    {"tolerance_seconds", "tolerância em segundos", "tolerance in seconds"},
    {"assessed", "data da avaliação", "assessed on"},
    {"validity_months", "validade em meses", "valid for months"},
    {"valid_until", "válida até", "valid until"},
    {"expired", "vencida", "expired"},
    {"tolerance_days", "tolerância em dias", "tolerance in days"},
    {"blocks_after", "bloqueia depois de", "blocks after"},
    {"block_flag", "marcada para bloqueio", "flagged to block"},
    {"block_setting", "configuração", "setting"},
    {"medical_blocks", "médica bloqueia", "medical blocks"},
    {"functional_blocks", "funcional bloqueia", "functional blocks"},
    {"locked_since", "trancada desde", "locked since"},
    {"transfer_end", "repasse até", "transfer until"},
    {"scholarship_end", "bolsa válida até", "scholarship valid until"},
    {"due_day", "dia de vencimento", "due day"},
    {"tolerance_added", "tolerância somada ao dia (VENCIMENTOFIXO)",
     "tolerance added to the day (VENCIMENTOFIXO)"},
    {"due_day_used", "dia de vencimento usado", "due day used"},
    {"enrolled", "cadastrado em", "enrolled on"},
    {"month", "mês", "month"},
    {"found", "encontrado", "found"},
    {"last_day", "último dia", "last day"},
    {"limit", "data limite", "limit date"},
    {"within", "dentro do limite", "within the limit"},
    {"class", "aula", "class"},
    {"activity", "atividade", "activity"},
    {"holds_activity", "aluno tem a atividade", "student takes the activity"},
    {"opens", "entrada a partir de", "opens at"},
    {"closes", "entrada até", "closes at"},
    {"slot", "campo", "slot"},
    {"days", "dias", "days"},
    {"start", "início", "start"},
    {"end", "fim", "end"},
    {"entry_tolerance_minutes", "tolerância de entrada (min)", "entry tolerance (min)"},
    {"exit_tolerance_minutes", "tolerância de saída (min)", "exit tolerance (min)"},
    {"runs_now", "em horário agora", "running now"},
    {"member", "aluno Gympass", "Gympass member"},
    {"released", "liberado para hoje", "released for today"},
    {"daily_limit", "limite por dia", "daily limit"},
    {"granted_today", "acessos liberados hoje", "granted today"},
    {"codes", "atividades do ponto", "access point's activities"},
    {"held", "atividade do aluno", "student's activity"},
    {"dismissed", "demitido em", "dismissed on"},
    {"allowed_month", "último mês liberado", "last allowed month"},
};

const Words kWords[] = {
    {"title", "Explicação", "Explanation"},
    {"number", "Matrícula", "Number"},
    {"at", "Data do caixa e hora", "Business date and time"},
    {"dry", "simulação: nada foi gravado nem liberado", "dry run: nothing written or released"},
    {"passes", "ok", "passes"},
    {"refuses", "RECUSA", "REFUSES"},
    {"outcome", "Resultado", "Outcome"},
    {"granted", "liberado", "let in"},
    {"refused", "não liberado", "not let in"},
    {"status", "STATUS", "STATUS"},
    {"deciding", "Motivo", "Deciding check"},
    {"shown", "Textos mostrados", "Texts shown"},
    {"rows", "Linhas que seriam gravadas", "Rows that would be written"},
    {"errors", "Erros registrados", "Errors logged"},
    {"no_checks", "nenhuma verificação feita", "no check made"},
    {"yes", "sim", "yes"},
    {"no", "não", "no"},
    {"empty", "(vazio)", "(empty)"},
    {"status panel", "painel de situação", "status panel"},
    {"information panel", "painel de informações", "information panel"},
    {"name label", "nome", "name label"},
    {"message box", "caixa de mensagem", "message box"},
};

template <std::size_t N>
QString lookUp(const Words (&table)[N], const QByteArray& key, Language language) {
    for (const Words& words : table) {
        if (key == words.key)
            return QString::fromUtf8(language == Language::Portuguese ? words.portuguese
                                                                      : words.english);
    }
    return QString::fromUtf8(key);
}

} // namespace

QString checkTitle(const QString& check, Language language) {
    return lookUp(kChecks, check.toUtf8(), language);
}

QString factLabel(const QString& fact, Language language) {
    return lookUp(kFacts, fact.toUtf8(), language);
}

QString word(const char* key, Language language) {
    return lookUp(kWords, QByteArray(key), language);
}

QString placeName(terminal::Place place, Language language) {
    switch (place) {
    case terminal::Place::StatusPanel:
        return word("status panel", language);
    case terminal::Place::InformationPanel:
        return word("information panel", language);
    case terminal::Place::NameLabel:
        return word("name label", language);
    case terminal::Place::MessageBox:
        break;
    }
    return word("message box", language);
}

} // namespace orvalen::desk
