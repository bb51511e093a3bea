#include "desk/explain_recorder.h"

namespace orvalen::desk {

using terminal::rules::Check;
using terminal::rules::Verdict;

namespace {

const terminal::LogRow* dayRow(const std::vector<terminal::LogRow>& rows) {
    for (const terminal::LogRow& row : rows) {
        if (row.table == QLatin1String("AcessoDia"))
            return &row;
    }
    return nullptr;
}

const Check* lastOf(const std::vector<Check>& checks, const QString& name) {
    for (auto it = checks.rbegin(); it != checks.rend(); ++it) {
        if (it->name == name)
            return &*it;
    }
    return nullptr;
}

} // namespace

bool Explanation::granted() const {
    const Check* accessPoint = lastOf(checks, QStringLiteral("access_point"));
    return releaseRequested && (accessPoint == nullptr || accessPoint->verdict != Verdict::Refuses);
}

const Check* Explanation::deciding() const {
    if (granted())
        return nullptr;
    for (auto it = checks.rbegin(); it != checks.rend(); ++it) {
        if (it->verdict == Verdict::Refuses)
            return &*it;
    }
    return nullptr;
}

QString Explanation::outcomeText() const {
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        const bool panel = it->place == terminal::Place::InformationPanel ||
                           it->place == terminal::Place::StatusPanel;
        if (panel && !it->text.isEmpty())
            return it->text;
    }
    return {};
}

QString Explanation::status() const {
    const terminal::LogRow* row = dayRow(rows);
    return row != nullptr ? row->value(QStringLiteral("STATUS")).toString() : QString();
}

int ExplainRecorder::AVISO(const QString& kind, const QString& text, const QString& detail) {
    explanation.shown.push_back({terminal::Place::MessageBox, message(text, detail)});
    return kind == QLatin1String("!") ? kOk : kYes;
}

void ExplainRecorder::shown(terminal::Place place, const QString& text) {
    if (place != terminal::Place::MessageBox) { // every box is kept once, when it is shown
        explanation.shown.push_back({place, text});
    }
}

void ExplainRecorder::checked(const Check& check) {
    explanation.checks.push_back(check);
}

} // namespace orvalen::desk
