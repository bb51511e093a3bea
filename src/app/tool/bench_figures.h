#pragma once

#include <QJsonObject>
#include <QTextStream>
#include <optional>
#include <vector>

namespace orvalen::tool {

// Times of one kind of work, in milliseconds.
class Samples {
public:
    void add(double milliseconds) { values_.push_back(milliseconds); }
    bool empty() const { return values_.empty(); }
    std::size_t size() const { return values_.size(); }
    // The value below which the given share of the samples lies (nearest rank), 0 <= p <= 1.
    double percentile(double p) const;
    double median() const { return percentile(0.5); }

private:
    std::vector<double> values_;
};

// What one benchmark run found; figures that were not measured are left empty.
struct BenchFigures {
    int identifications = 0;
    int activeMembers = 0;
    Samples decision;
    Samples decisionWrites; // the part of each decision spent writing the access log
    Samples decisionCpu;    // processor time of each decision and its reset
    Samples reset;
    Samples nameKey;
    Samples baselineDecision; // decision and the whole active-member table read again
    Samples baselineReset;
    double startupMs = 0;
    double baselineStartupMs = 0;
    double rssStartMb = 0;
    double rssEarlyMb = 0; // after the first tenth of the identifications
    double rssMb = 0;      // after every identification
    std::optional<double> fingerprintMs;
    std::optional<double> fingerprintP95Ms;
    std::optional<double> fingerprintBusyP95Ms; // with another process keeping a core busy
    std::optional<double> fingerprintLoadMs;    // reading and decoding the stored templates
    int fingerprintEnrolled = 0;
    QString fingerprintNote; // why it was not measured, or what was found
    QStringList errors;      // what the screen logged while deciding

    // decision_p50 of the first design over today's.
    double baselineRatio() const;
    QJsonObject toJson() const;
    void print(QTextStream& out) const;
};

// The resident memory of this process, in megabytes (0 when it cannot be read).
double residentMegabytes();

} // namespace orvalen::tool
