#pragma once

#include "demo_club/club_plan.h"

#include <QDate>
#include <QList>
#include <QString>
#include <functional>

namespace orvalen::demo {

// One member the catalogue points at: how he differs from a regular paying member and
// what the terminal shows for him.
struct MemberCase {
    QString situation;
    QString description;
    std::function<void(DemoMember&, ClubPlan&)> shape;
};

// Every situation of the student decision, relative to the business date.
QList<MemberCase> memberCases(const QDate& businessDate);

// Puts the member in a weekly class and in its activity.
void joinClass(DemoMember& member, const QString& classCode);

} // namespace orvalen::demo
