#include "monitor/desk_explanation.h"

#include "desk/explain_run.h"
#include "desk/explanation_text.h"

namespace orvalen::monitor {

store::Result<QJsonObject> explainForDesk(const desk::OpenClub& club, const QString& number,
                                          const QDateTime& at, std::optional<QDate> businessDate) {
    const desk::ExplainRun run = desk::explainIdentification(club, {number, at, businessDate, {}});
    if (!run.opened) {
        QStringList why = run.explanation.errors;
        for (const desk::ShownText& shown : run.explanation.shown)
            why << shown.text;
        return store::Error{QStringLiteral("o terminal não abriu: ") +
                            why.join(QStringLiteral(" / "))};
    }
    const desk::Explanation& explanation = run.explanation;
    const auto* deciding = explanation.deciding();
    return QJsonObject{
        {QStringLiteral("number"), number},
        {QStringLiteral("date"), explanation.businessDate.toString(Qt::ISODate)},
        {QStringLiteral("time"), at.time().toString(QStringLiteral("HH:mm:ss"))},
        {QStringLiteral("granted"), explanation.granted()},
        {QStringLiteral("outcome"), explanation.outcomeText()},
        {QStringLiteral("deciding"), deciding != nullptr ? deciding->name : QString()},
        {QStringLiteral("deciding_title"),
         deciding != nullptr ? desk::checkTitle(deciding->name, desk::Language::Portuguese)
                             : QString()},
        {QStringLiteral("note"), QStringLiteral("Calculado com os dados como estão agora")},
        {QStringLiteral("text"), desk::explanationText(explanation, desk::Language::Portuguese)}};
}

} // namespace orvalen::monitor
