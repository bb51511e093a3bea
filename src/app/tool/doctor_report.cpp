#include "app/tool/doctor_report.h"

namespace orvalen::tool {

void DoctorReport::print(QTextStream& out, const QString& folder) const {
    if (healthy()) {
        out << "orvalen doctor: all is well in " << folder << "\n";
        for (const QString& fact : facts_) {
            out << "  " << fact << "\n";
        }
        return;
    }
    out << "orvalen doctor: " << problems_.size()
        << (problems_.size() == 1 ? " problem" : " problems") << " in " << folder << "\n";
    for (const Problem& p : problems_) {
        out << "\n  problem: " << p.what << "\n  what to do: " << p.fix << "\n";
    }
}

} // namespace orvalen::tool
