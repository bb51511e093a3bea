#pragma once

#include <QImage>
#include <QSize>

namespace orvalen::terminal {

// The screen's built-in pictures, drawn rather than shipped.

// fundo1024x768: the idle background when the club has no logo.
QImage backgroundPicture(const QSize& size);
// Image5 (prohibited: under a red prohibition sign) and Image4 (free) of a tripod turnstile.
QImage turnstilePicture(const QSize& size, bool prohibited);
// Image6: the photo frame's placeholder.
QImage photoPlaceholder(const QSize& size);

} // namespace orvalen::terminal
