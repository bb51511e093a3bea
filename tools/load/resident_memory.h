#pragma once

namespace orvalen::load {

// This process's resident set (VmRSS of /proc/self/status) in kilobytes; -1 when the
// system does not say.
long residentKilobytes();

} // namespace orvalen::load
