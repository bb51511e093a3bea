#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>

namespace orvalen::demo {

// A friendly portrait for a member or employee: a silhouette in the person's colour on a
// light background, with the person's initials. JPEG, 160x200, quality 80.
QByteArray portraitJpeg(const QString& name, const QColor& colour);

// The club's logo for the idle screen: the club name on a coloured band. JPEG.
QByteArray logoJpeg(const QString& clubName, const QString& slogan);

// The initials shown on a portrait: first letters of the first and the last name.
QString initialsOf(const QString& name);

} // namespace orvalen::demo
