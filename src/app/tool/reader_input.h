#pragma once

#include "store/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace orvalen::tool {

// The local socket of the running reader simulator (orvalen reader-sim), for this user only.
QString readerSimSocketName();

// What `orvalen send` hands the reader simulator: "keypad KEYS" (digits, "*" clears, "#"
// enters; typed one by one) or "card NUMBER" (one frame, ended by CR LF as readers do).
struct ReaderInput {
    enum class Kind { Keypad, Card };
    Kind kind = Kind::Keypad;
    QByteArray bytes; // as they go on the line
};

// Nothing when the words are not a reader message at all; an error for a bad one.
std::optional<store::Result<ReaderInput>> readerInput(const QStringList& words);

} // namespace orvalen::tool
