// Whatever is typed or read into the entry field: the kind and number the hub hands on.
#include "fuzz_input.h"
#include "terminal/entry_classification.h"

namespace {

using orvalen::fuzz::require;
namespace terminal = orvalen::terminal;

void classify(const QString& text) {
    for (const bool numberMode : {true, false}) {
        const terminal::EntryClass entry = terminal::classifyEntry(text, numberMode);
        if (entry.kind == terminal::EntryKind::Student ||
            entry.kind == terminal::EntryKind::Employee) {
            // The enrollment number is at most 10 characters wherever it goes.
            require(entry.number.size() <= 10, "an enrollment number longer than 10");
        }
    }
    for (const bool suffix : {true, false}) {
        const terminal::BirthDaySplit split = terminal::cutBirthDay(text, suffix);
        require(split.day.size() <= 2, "a birth day longer than two characters");
        if (!split.refused) {
            require(split.rest + split.day == text || split.day.isEmpty(),
                    "the day and the rest do not make the entry");
        }
    }
    if (const auto number = terminal::readWholeNumber(text)) {
        terminal::tenDigits(*number);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = orvalen::fuzz::bytesOf(data, size);
    classify(orvalen::fuzz::latin1Text(bytes));
    classify(orvalen::fuzz::utf8Text(bytes));
    return 0;
}
