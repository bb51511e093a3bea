#include "app/tool/bench_figures.h"

#include <QFile>
#include <QJsonArray>
#include <algorithm>
#include <cmath>

namespace orvalen::tool {

namespace {

double rounded(double value) {
    return std::round(value * 1000) / 1000;
}

QString ms(double value) {
    return QString::number(value, 'f', value < 10 ? 3 : 1) + QStringLiteral(" ms");
}

} // namespace

double Samples::percentile(double p) const {
    if (values_.empty()) {
        return 0;
    }
    std::vector<double> sorted = values_;
    std::sort(sorted.begin(), sorted.end());
    const auto rank = static_cast<std::size_t>(std::ceil(p * double(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

double BenchFigures::baselineRatio() const {
    const double today = decision.median();
    return today > 0 ? baselineDecision.median() / today : 0;
}

QJsonObject BenchFigures::toJson() const {
    QJsonObject json{
        {QStringLiteral("identifications"), identifications},
        {QStringLiteral("active_members"), activeMembers},
        {QStringLiteral("decision_p50_ms"), rounded(decision.percentile(0.5))},
        {QStringLiteral("decision_p95_ms"), rounded(decision.percentile(0.95))},
        {QStringLiteral("decision_p99_ms"), rounded(decision.percentile(0.99))},
        {QStringLiteral("decision_writes_p50_ms"), rounded(decisionWrites.median())},
        {QStringLiteral("decision_cpu_p50_ms"), rounded(decisionCpu.percentile(0.5))},
        {QStringLiteral("decision_cpu_p99_ms"), rounded(decisionCpu.percentile(0.99))},
        {QStringLiteral("reset_ms"), rounded(reset.median())},
        {QStringLiteral("name_key_ms"), rounded(nameKey.median())},
        {QStringLiteral("startup_ms"), rounded(startupMs)},
        {QStringLiteral("rss_start_mb"), rounded(rssStartMb)},
        {QStringLiteral("rss_early_mb"), rounded(rssEarlyMb)},
        {QStringLiteral("rss_mb"), rounded(rssMb)},
        {QStringLiteral("baseline_decision_p50_ms"), rounded(baselineDecision.median())},
        {QStringLiteral("baseline_reset_ms"), rounded(baselineReset.median())},
        {QStringLiteral("baseline_startup_ms"), rounded(baselineStartupMs)},
        {QStringLiteral("baseline_ratio"), rounded(baselineRatio())},
        {QStringLiteral("fingerprint_enrolled"), fingerprintEnrolled},
        {QStringLiteral("errors_logged"), QJsonArray::fromStringList(errors)},
    };
    json.insert(QStringLiteral("fingerprint_ms"),
                fingerprintMs ? QJsonValue(rounded(*fingerprintMs)) : QJsonValue());
    json.insert(QStringLiteral("fingerprint_p95_ms"),
                fingerprintP95Ms ? QJsonValue(rounded(*fingerprintP95Ms)) : QJsonValue());
    json.insert(QStringLiteral("fingerprint_busy_p95_ms"),
                fingerprintBusyP95Ms ? QJsonValue(rounded(*fingerprintBusyP95Ms)) : QJsonValue());
    json.insert(QStringLiteral("fingerprint_load_ms"),
                fingerprintLoadMs ? QJsonValue(rounded(*fingerprintLoadMs)) : QJsonValue());
    json.insert(QStringLiteral("baseline_fingerprint_ms"),
                fingerprintMs && fingerprintLoadMs
                    ? QJsonValue(rounded(*fingerprintMs + *fingerprintLoadMs))
                    : QJsonValue());
    if (!fingerprintNote.isEmpty()) {
        json.insert(QStringLiteral("fingerprint_note"), fingerprintNote);
    }
    return json;
}

void BenchFigures::print(QTextStream& out) const {
    out << identifications << " identifications, " << activeMembers << " active members\n";
    out << "                     today          first design\n";
    auto line = [&out](const char* what, const QString& today, const QString& first) {
        out << QString::fromLatin1(what).leftJustified(21) << today.leftJustified(15) << first
            << '\n';
    };
    line("decision p50", ms(decision.percentile(0.5)), ms(baselineDecision.median()));
    line("decision p95", ms(decision.percentile(0.95)), QString());
    line("decision p99", ms(decision.percentile(0.99)), QString());
    line("  its log writes p50", ms(decisionWrites.median()), QString());
    line("  processor p50/p99",
         ms(decisionCpu.percentile(0.5)) + QStringLiteral(" / ") + ms(decisionCpu.percentile(0.99)),
         QString());
    line("reset", ms(reset.median()), ms(baselineReset.median()));
    line("name search key", ms(nameKey.median()), QString());
    line("start-up", ms(startupMs), ms(baselineStartupMs));
    if (fingerprintMs && fingerprintLoadMs) {
        line("fingerprint", ms(*fingerprintMs), ms(*fingerprintMs + *fingerprintLoadMs));
        line("  template load", ms(*fingerprintLoadMs), QString());
        if (fingerprintP95Ms && fingerprintBusyP95Ms) {
            line("  p95 / one core busy",
                 ms(*fingerprintP95Ms) + QStringLiteral(" / ") + ms(*fingerprintBusyP95Ms),
                 QString());
        }
    } else {
        line("fingerprint", QStringLiteral("not measured"), QString());
    }
    if (!fingerprintNote.isEmpty()) {
        out << "  (" << fingerprintNote << ")\n";
    }
    out << "resident memory      " << QString::number(rssStartMb, 'f', 1) << " MB at start, "
        << QString::number(rssEarlyMb, 'f', 1) << " MB after a tenth of the run, "
        << QString::number(rssMb, 'f', 1) << " MB after " << identifications
        << " identifications\n";
    out << "decision, first design / today: " << QString::number(baselineRatio(), 'f', 1) << "x\n";
    for (const QString& error : errors) {
        out << "error logged: " << error << '\n';
    }
}

double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
        }
    }
    return 0;
}

} // namespace orvalen::tool
