#include "demo_club/club_setup.h"

#include "demo_club/demo_devices.h"
#include "demo_club/pictures.h"

namespace orvalen::demo {

namespace {

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

store::Bindings mainSettings() {
    return {
        {QStringLiteral("CLIENTE"), kMainBranchCode},
        {QStringLiteral("ROLETA"), text("NADA")},
        {QStringLiteral("TIPO_ROLETA"), text("N")},
        {QStringLiteral("ACESSO_PULSO"), text("1000")},
        {QStringLiteral("ACESSO_TEMPO"), text("2000")},
        {QStringLiteral("PINPAD"), text("NADA")},
        {QStringLiteral("PADRAOTEC12"), text("Não")},
        {QStringLiteral("PROCURAMATRICULANOME"), text("Sim")},
        {QStringLiteral("MATRICULA_ACESSO"), text("Sim")},
        {QStringLiteral("ACESSO_MATRICULA_NASC"), text("Não")},
        {QStringLiteral("ACESSO_F2_BLOQUEIA"), text("Não")},
        {QStringLiteral("ACESSO_DATA"), text("Sim")},
        {QStringLiteral("ACESSO_HORA"), text("Sim")},
        {QStringLiteral("ACESSO_MENSAGEM_GERAL"), text("Bom treino!")},
        {QStringLiteral("ACESSO_MENSAGEM"), text("Sim")},
        {QStringLiteral("ACESSO_ANIVERSARIANTE"), text("Sim")},
        {QStringLiteral("ACESSO_MEDICA"), text("Sim")},
        {QStringLiteral("ACESSO_FUNCIONAL"), text("Sim")},
        {QStringLiteral("ACESSO_FISICA"), text("Não")},
        {QStringLiteral("PRAZOAVALMED"), 12},
        {QStringLiteral("PRAZOAVALFUN"), 12},
        {QStringLiteral("TOLERANCIA_AVALIACAO"), 15},
        {QStringLiteral("BLOQUEIA_AVALIACAO_ACESSO"), text("MÉDICA")},
        {QStringLiteral("VENCIMENTOFIXO"), 0},
        {QStringLiteral("TOLERANCIA_ACESSO"), 5},
        {QStringLiteral("ULTIMO_DIA"), text("0")},
        {QStringLiteral("ACADEMIA"), text(kClubName)},
        {QStringLiteral("ENDERACADEMIA"), text("Rua das Palmeiras, 1200 - Centro")},
        {QStringLiteral("COMPLEMENTO1"), text("Belo Horizonte - MG - CEP 30110-000")},
        {QStringLiteral("CNPJCPF"), text("12.345.678/0001-90")},
        {QStringLiteral("ACESSO_INTERVALO_TIMER"), 1000},
        {QStringLiteral("ACESSO_RESPOSTA_TIMER"), 500},
        {QStringLiteral("ACESSO_TIMEOUT"), 3000},
        {QStringLiteral("ACESSO_TEMPO_ESPERA"), 2000},
        {QStringLiteral("ACESSO_INVERTE_PULSO"), RowWriter::flag(false)},
        {QStringLiteral("C_MEDICA"), text("Sim")},
        {QStringLiteral("C_FISICA"), text("Não")},
        {QStringLiteral("C_FUNCIONAL"), text("Sim")},
        {QStringLiteral("PRAZOAVALFIS"), 12},
        {QStringLiteral("SAIDAALUNO"), 0},
        {QStringLiteral("SAIDAALUNODIAS"), 0},
        {QStringLiteral("TIPOTRANCAMENTO"), text("Não")},
        {QStringLiteral("TIPO_ENTRADA"), text("Não")},
        {QStringLiteral("NUMEROCOLETOR"), 1},
        {QStringLiteral("VELOCIDADE"), text("9600")},
    };
}

store::Bindings terminalSettings() {
    return {
        {QStringLiteral("FILIAL"), branchText(kMainBranchCode)},
        {QStringLiteral("USB_LPT"), text("Não")},
        {QStringLiteral("ENDERECO_LPT"), text("378")},
        {QStringLiteral("CatracaWireless"), text(kDemoRelayAddress)},
        {QStringLiteral("VELOCIDADE"), 9600},
        {QStringLiteral("DATABIT"), text("8")},
        {QStringLiteral("STOPBIT"), text("1")},
        {QStringLiteral("PARIDADE"), text("NADA")},
        {QStringLiteral("Tec12USB"), text("Não")},
        {QStringLiteral("LEITOR_BIOMETRICO"), text("Não")},
        {QStringLiteral("Tipo_Leitor"), text("2")},
        {QStringLiteral("MATRICULADIGITAL"), text("Não")},
        {QStringLiteral("Tec12ouBiometria"), text("Não")},
        {QStringLiteral("NIVAL_SEGURANCA_BIO"), 5},
        {QStringLiteral("TOLERANCIAENTRADA"), 0},
        {QStringLiteral("QTD_ACESSO"), 0},
        {QStringLiteral("ACESSO_PENDENCIA"), text("Procure a recepção")},
        {QStringLiteral("ACESSO_PENDENCIA_BLOQUEIO"), text("Não")},
        {QStringLiteral("DIA_DATA_VENCIMENTO"), text("Não")},
        {QStringLiteral("Acesso_Agendamento"), text("Não")},
        {QStringLiteral("AgendamentoAulaPortal"), text("Não")},
        {QStringLiteral("INSC_MUNICIPAL"), text("0123456/001-7")},
        {QStringLiteral("CAMINHO_VIDEO"), text("")},
        {QStringLiteral("LPT_3_17"), text("Não")},
        {QStringLiteral("VERSAO_LEITOR"), 1},
        {QStringLiteral("LINK_BIOMETRIA"), text("")},
    };
}

} // namespace

QString branchText(double branchCode) {
    return QStringLiteral("%1").arg(qRound(branchCode), 2, 10, QLatin1Char('0'));
}

store::Status writeClubSetup(RowWriter& writer) {
    store::Bindings settings = mainSettings();
    settings.emplace_back(QStringLiteral("LOGOACADEMIA1"),
                          logoJpeg(text(kClubName), QStringLiteral("Saúde e movimento")));
    if (auto s = writer.insert(QStringLiteral("Sacvar"), settings); !s) {
        return s;
    }
    if (auto s = writer.insert(QStringLiteral("Sacvar2"), terminalSettings()); !s) {
        return s;
    }
    const struct {
        const char* code;
        const char* name;
        const char* password;
    } operators[] = {{kOperatorCode, kOperatorName, kOperatorPassword},
                     {"02", "Recepção Manhã", "4321"},
                     {"03", "Recepção Noite", "5678"}};
    for (const auto& op : operators) {
        if (auto s = writer.insert(QStringLiteral("Usuarios"),
                                   {{QStringLiteral("CODIGO"), text(op.code)},
                                    {QStringLiteral("NOME"), text(op.name)},
                                    {QStringLiteral("SENHA"), text(op.password)},
                                    {QStringLiteral("U_REACESSORETAGUARDA"), text("Sim")}});
            !s) {
            return s;
        }
    }
    // Caminho_Unidade completes "Data Source=" of the branch data link when a branch is chosen.
    const struct {
        double code;
        const char* name;
        const char* path;
    } branches[] = {{kMainBranchCode, "Orvalen Centro", kMainDatabase},
                    {kSecondBranchCode, "Orvalen Jardim Botânico", kBranchDatabase}};
    for (const auto& branch : branches) {
        if (auto s = writer.insert(QStringLiteral("Filial"),
                                   {{QStringLiteral("CLIENTE"), branch.code},
                                    {QStringLiteral("Nome_Unidade"), text(branch.name)},
                                    {QStringLiteral("Caminho_Unidade"), text(branch.path)}});
            !s) {
            return s;
        }
    }
    return store::Status::success();
}

} // namespace orvalen::demo
