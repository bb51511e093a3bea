#pragma once

#include <QPixmap>

namespace orvalen::shell {

// The installation's artwork, drawn rather than shipped: a turnstile mark, the name and
// the club colours (navy and the dialogs' light blue).
QPixmap splashPicture();     // 410 by 208
QPixmap backgroundPicture(); // 828 by 623
QPixmap aboutPicture();      // 128 by 128

} // namespace orvalen::shell
