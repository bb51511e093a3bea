#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QString>

namespace orvalen::demo {

// Draws capital letters, digits and blanks as a 5x7 grid of rounded blocks. The demo's
// pictures are drawn without any font, so the generator runs without a window system.
// Accented letters are drawn as their base letter; other characters as a blank.
void drawBlockText(QPainter& painter, QPointF topLeft, qreal cell, const QString& text,
                   const QColor& colour);

// Width of the text drawn with the given cell size (a letter is 5 cells plus 1 of spacing).
qreal blockTextWidth(const QString& text, qreal cell);

// The letters of a text without accents, upper-cased ("Conceição" -> "CONCEICAO").
QString plainCapitals(const QString& text);

} // namespace orvalen::demo
