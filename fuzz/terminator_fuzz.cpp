// The line-terminated port's terminator as the settings spell it ("#13#10"): any text is
// either taken or refused with the port's own error, and a terminator taken reads back as
// the same bytes.
#include "fuzz_input.h"
#include "hardware/com_port.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using orvalen::fuzz::require;
    static orvalen::hardware::TComPort port;
    const QString text = orvalen::fuzz::latin1Text(orvalen::fuzz::bytesOf(data, size));
    try {
        port.setTerminator(text);
    } catch (const orvalen::hardware::EComError&) {
        require(!port.Terminator().isEmpty(), "a refused terminator left none");
        return 0;
    }
    const QString spelled = port.Terminator();
    require(!spelled.isEmpty(), "a terminator taken reads back empty");
    port.setTerminator(spelled);
    require(port.Terminator() == spelled, "a terminator does not read back the same");
    return 0;
}
