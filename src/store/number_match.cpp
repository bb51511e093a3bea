#include "store/number_match.h"

#include <algorithm>

namespace orvalen::store {

namespace {

constexpr qsizetype kMatriculaWidth = 10;

bool allDigits(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QStringList sameNumberTexts(const QString& number) {
    if (!allDigits(number)) {
        return {number};
    }
    qsizetype firstSignificant = 0;
    while (firstSignificant < number.size() - 1 && number.at(firstSignificant) == u'0') {
        ++firstSignificant;
    }
    const QString bare = number.mid(firstSignificant);
    QStringList texts;
    for (qsizetype width = bare.size(); width <= std::max(bare.size(), kMatriculaWidth); ++width) {
        texts << bare.rightJustified(width, u'0');
    }
    return texts;
}

NumberCondition sameNumberCondition(const QString& column, const QString& number) {
    const QStringList texts = sameNumberTexts(number);
    NumberCondition condition;
    QStringList placeholders;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QString name = QStringLiteral(":m%1").arg(i);
        placeholders << name;
        condition.bindings.emplace_back(name, texts.at(i));
    }
    if (allDigits(number)) {
        condition.sql = column + QStringLiteral(" IN (") + placeholders.join(QStringLiteral(", ")) +
                        QLatin1Char(')');
    } else {
        condition.sql = column + QStringLiteral(" = ") + placeholders.first();
    }
    return condition;
}

} // namespace orvalen::store
