#pragma once

#include <QString>

namespace orvalen::contingency {

// A key never used before, for the outbox rows of one writer: the sequences of a copy
// restored from a backup start again below ones already replayed, and under a key of their
// own they are never taken for those.
QString newWriterKey();

} // namespace orvalen::contingency
