#pragma once

#include "store/connection.h"
#include "store/result.h"

#include <QString>

namespace orvalen::demo {

// The demo's devices, both on this machine: a reader line on a pseudo-terminal that
// `orvalen reader-sim` holds at this path in the club's folder (Sacvar.PINPAD "COM9"), and
// a Wi-Fi relay that `orvalen relay-sim` serves on the loopback address.
inline constexpr auto kReaderLineFile = "reader-line";
inline constexpr auto kReaderPort = "COM9";
inline constexpr auto kDemoRelayAddress = "127.0.0.1:8080";

// Points the club's settings at the demo devices, a relay turnstile and a Tec12 keypad on
// the reader line; or, with `on` false, back to the keyboard and no turnstile, as a new demo
// club has them.
store::Status configureDemoDevices(const store::ClubConnection& main, bool on);

} // namespace orvalen::demo
