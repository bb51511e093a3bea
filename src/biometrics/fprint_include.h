#pragma once

// The fingerprint library's GLib headers use "signals" as a name, which Qt defines as a macro.
#pragma push_macro("signals")
#undef signals
#include <fprint.h>
#pragma pop_macro("signals")
