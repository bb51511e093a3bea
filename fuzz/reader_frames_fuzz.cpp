// Bytes from the reader line: each one as a Tec12 key, and the whole read as a card frame.
#include "fuzz_input.h"
#include "terminal/reader_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using orvalen::fuzz::require;
    namespace terminal = orvalen::terminal;
    for (std::size_t i = 0; i < size; ++i) {
        const char byte = static_cast<char>(data[i]);
        const terminal::KeypadKey key = terminal::keypadKey(byte);
        require((key == terminal::KeypadKey::Digit) == (byte >= '0' && byte <= '9'),
                "a digit key that is not a digit");
    }
    const QString text =
        terminal::cardFrameText(reinterpret_cast<const char*>(data), static_cast<int>(size));
    require(text.size() <= static_cast<qsizetype>(size), "a card number longer than its frame");
    for (const QChar character : text) {
        require(character.unicode() >= 32 && character.unicode() <= 255,
                "a control character kept in a card number");
    }
    const QString codes = terminal::MyStrToAscii(text);
    for (const QChar character : codes) {
        require(character.isDigit(), "a character code that is not digits");
    }
    return 0;
}
