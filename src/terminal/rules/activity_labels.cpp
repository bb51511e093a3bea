#include "terminal/rules/activity_labels.h"

namespace orvalen::terminal::rules {

std::array<QString, kActivityLabelCount> activityLabels(const QStringList& descriptions) {
    std::array<QString, kActivityLabelCount> labels;
    std::size_t next = 0;
    for (const QString& description : descriptions) {
        if (next == labels.size())
            break;
        if (description.isEmpty())
            continue;
        labels[next++] = description;
    }
    return labels;
}

} // namespace orvalen::terminal::rules
