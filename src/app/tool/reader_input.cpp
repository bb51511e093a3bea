#include "app/tool/reader_input.h"

#include <QRegularExpression>
#include <unistd.h>

namespace orvalen::tool {

namespace {

// A frame holds at most 12 bytes; the line break takes two of them.
constexpr int kLongestCardNumber = 10;

} // namespace

QString readerSimSocketName() {
    return QStringLiteral("orvalen-reader-sim-%1").arg(getuid());
}

std::optional<store::Result<ReaderInput>> readerInput(const QStringList& words) {
    if (words.isEmpty()) {
        return std::nullopt;
    }
    const QString kind = words.first().toLower();
    if (kind != QLatin1String("keypad") && kind != QLatin1String("card")) {
        return std::nullopt;
    }
    if (words.size() != 2) {
        return store::Result<ReaderInput>(store::Error{
            QStringLiteral("'%1' takes one word: the keys or the card number").arg(kind)});
    }
    const QString& text = words[1];
    ReaderInput input;
    if (kind == QLatin1String("keypad")) {
        static const QRegularExpression keys(QStringLiteral("^[0-9*#]+$"));
        if (!keys.match(text).hasMatch()) {
            return store::Result<ReaderInput>(store::Error{
                QStringLiteral("the Tec12 keypad has the keys 0 to 9, * (clear) and # (enter), "
                               "not '%1'")
                    .arg(text)});
        }
        input.kind = ReaderInput::Kind::Keypad;
        input.bytes = text.toLatin1();
        return store::Result<ReaderInput>(input);
    }
    static const QRegularExpression number(
        QStringLiteral("^[0-9A-Za-z]{1,%1}$").arg(kLongestCardNumber));
    if (!number.match(text).hasMatch()) {
        return store::Result<ReaderInput>(
            store::Error{QStringLiteral("a card number is 1 to %1 digits or letters, not '%2'")
                             .arg(kLongestCardNumber)
                             .arg(text)});
    }
    input.kind = ReaderInput::Kind::Card;
    input.bytes = text.toLatin1() + "\r\n";
    return store::Result<ReaderInput>(input);
}

} // namespace orvalen::tool
