#pragma once

#include <QColor>

namespace orvalen::terminal::colours {

inline const QColor clGreen{0, 128, 0};
inline const QColor clRed{255, 0, 0};
inline const QColor clSilver{192, 192, 192};
inline const QColor clBlack{0, 0, 0};
inline const QColor clWhite{255, 255, 255};
inline const QColor clNavy{0, 0, 128};
inline const QColor clMaroon{128, 0, 0};
inline const QColor lightYellow{255, 255, 128};
inline const QColor titleBlue{0, 128, 255};
inline const QColor dialogBlue{215, 237, 251};

} // namespace orvalen::terminal::colours
