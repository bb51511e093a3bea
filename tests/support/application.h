#pragma once

namespace orvalen::test {

// The one QApplication of a test program (offscreen platform), made on first use for
// tests that need an event loop or widgets.
void ensureApplication();

} // namespace orvalen::test
