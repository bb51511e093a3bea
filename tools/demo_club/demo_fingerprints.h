#pragma once

#include "demo_club/club_plan.h"
#include "store/connection.h"
#include "store/result.h"

#include <QList>
#include <QString>

namespace orvalen::demo {

// The virtual fingerprint reader of the demo: a socket in the club's folder, named in
// terminal.ini, on which `orvalen send finger` lays a finger.
inline constexpr auto kFingerReaderFile = "finger-reader";

// A sample finger to enrol, with the templates the reader software made of it.
struct DemoFinger {
    QString sample;  // "whorl" ...
    QString digital; // for DIGITAL
    QString persona; // for Digital_Persona
};

// Enrols each finger to one of the plan's plain paid-up members, in order, and sets the club's
// terminal to identify by finger alone over the NBioBSP reader (a typed number opens no entry
// then). The catalogue lines of the enrolled members, under "fingerprint": number, name and
// the finger. Fails when the plan has too few plain members for the fingers.
store::Result<QList<CatalogueEntry>> enrolDemoFingers(const store::ClubConnection& main,
                                                      const ClubPlan& plan,
                                                      const QList<DemoFinger>& fingers);

} // namespace orvalen::demo
