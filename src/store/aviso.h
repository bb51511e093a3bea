#pragma once

#include <QString>

namespace orvalen::store {

// The one message box of every screen. Kind "!" informs and has OK; any other kind asks
// and has Yes and No.
class Aviso {
public:
    static constexpr int kOk = 1;
    static constexpr int kYes = 6;
    static constexpr int kNo = 7;

    virtual ~Aviso() = default;

    // Returns kOk for an information box, kYes or kNo for a question.
    virtual int AVISO(const QString& kind, const QString& text, const QString& detail = {}) = 0;

    // The shown message: the text alone, or text, line feed, carriage return and detail.
    static QString message(const QString& text, const QString& detail) {
        return detail.isEmpty() ? text : text + QStringLiteral("\n\r") + detail;
    }
};

} // namespace orvalen::store
