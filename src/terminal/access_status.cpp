#include "terminal/access_status.h"

#include "terminal/entry_classification.h"

#include <QStringList>

namespace orvalen::terminal {

bool isStatusText(const QString& text) {
    static const QStringList texts{
        QStringLiteral("Acesso Livre"),       QStringLiteral("Sob Consulta !!!"),
        QStringLiteral("Sem acesso !!!"),     QStringLiteral("Avaliação Bloqueada !!!"),
        QStringLiteral("Fora de Hora !!!"),   QStringLiteral("Fora Validade !!!"),
        QStringLiteral("Fim de Repasse !!!"), QStringLiteral("Matrícula Trancada !!!")};
    return texts.contains(text);
}

QString accessStatus(const QString& outcome) {
    static const QStringList situation{QStringLiteral("Sob Consulta !!!"),
                                       QStringLiteral("Matrícula Trancada !!!"),
                                       QStringLiteral("Fim de Repasse !!!"),
                                       QStringLiteral("Fora Validade !!!"),
                                       QStringLiteral("Avaliação Bloqueada !!!"),
                                       QStringLiteral("Pendência no Cadastro"),
                                       QStringLiteral("Pendente")};
    if (outcome == QLatin1String("Acesso Livre")) {
        return QStringLiteral("L");
    }
    return situation.contains(outcome) ? QStringLiteral("S") : QStringLiteral("H");
}

QString cutObs(const QString& text) {
    return text.left(30);
}

store::Result<QString> visitorObs(const QString& observation, const QString& lastMatricula,
                                  const QString& lastStatus, const QString& lastObs) {
    if (!observation.isEmpty()) {
        return cutObs(observation);
    }
    if (lastStatus.isEmpty() || lastStatus == QLatin1String("L")) {
        return QString();
    }
    const auto number = readWholeNumber(lastMatricula);
    if (!number) {
        return store::Error{QStringLiteral("the last Acesso row's MATRICULA '%1' is not a number")
                                .arg(lastMatricula)};
    }
    return cutObs(QString::number(*number) + QLatin1Char('-') + lastObs);
}

} // namespace orvalen::terminal
