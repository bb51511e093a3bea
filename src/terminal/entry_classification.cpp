#include "terminal/entry_classification.h"

namespace orvalen::terminal {

std::optional<qlonglong> readWholeNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    bool ok = false;
    const qlonglong value = trimmed.toLongLong(&ok, 10);
    if (!ok) {
        return std::nullopt;
    }
    return value;
}

QString tenDigits(qlonglong number) {
    return QStringLiteral("%1").arg(number, 10, 10, QLatin1Char('0'));
}

BirthDaySplit cutBirthDay(const QString& text, bool suffixInForce) {
    if (!suffixInForce || text.contains(QLatin1String("999999"))) {
        return {text, {}, false};
    }
    BirthDaySplit split{text.left(qMax(0, text.size() - 2)), text.right(2), false};
    split.refused = split.rest.isEmpty();
    return split;
}

EntryClass classifyEntry(const QString& text, bool numberMode) {
    const qsizetype length = text.size();
    if (text == QLatin1String("999999")) {
        return {EntryKind::Refused, {}};
    }
    if (length == 10 &&
        (text == QLatin1String("9999999999") || text == QLatin1String("0000999999"))) {
        return {EntryKind::Visitor, {}};
    }
    if (length >= 1 && length <= 9 && text.startsWith(QLatin1String("00"))) {
        const auto number = readWholeNumber(text);
        if (!number) {
            return {EntryKind::Refused, {}};
        }
        return {EntryKind::Employee, tenDigits(*number)};
    }
    if (length == 10 && text.startsWith(QLatin1String("91"))) {
        return {EntryKind::Employee, text};
    }
    if (numberMode) {
        // A number of more than ten digits (a long card frame) keeps its first ten: the
        // current enrollment number holds no more.
        const auto number = readWholeNumber(text);
        return {EntryKind::Student, (number ? tenDigits(*number) : text).left(10)};
    }
    return {EntryKind::Student, text.left(10)};
}

} // namespace orvalen::terminal
