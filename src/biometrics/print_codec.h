#pragma once

#include "biometrics/finger_template.h"
#include "biometrics/fprint_include.h"
#include "store/result.h"

namespace orvalen::biometrics {

// Image readers' prints carry the minutiae of each scan and are matched over them. A print is
// rebuilt from the minutiae a template keeps, for the device given (the driver and device
// that will match it). Call on the library thread; the caller owns the returned print.
store::Result<FpPrint*> printFromMinutiae(const Minutiae& minutiae, FpDevice* device);

// The minutiae of a print's first scan.
store::Result<Minutiae> minutiaeOfPrint(FpPrint* print);

} // namespace orvalen::biometrics
