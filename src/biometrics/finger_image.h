#pragma once

#include "store/result.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace orvalen::biometrics {

// A grey fingerprint picture as a reader delivers it: one byte a pixel, rows top to bottom.
struct FingerImage {
    int width = 0;
    int height = 0;
    QByteArray pixels; // width * height bytes

    bool isEmpty() const { return width <= 0 || height <= 0; }
    QImage toQImage() const;
};

// A binary grey PGM ("P5", maximum 255): the form the sample fingers and `send finger` use.
store::Result<FingerImage> fingerImageFromPgm(const QByteArray& data, const QString& origin);
store::Result<FingerImage> loadFingerImage(const QString& path);

// The sample fingers built into the program ("arch", "whorl_rot" ...), for the demo club, the
// virtual reader and the tests.
QStringList sampleFingerNames();
store::Result<FingerImage> sampleFinger(const QString& name);

// A finger named on a command line: a .pgm file (or any file that exists), else a sample.
store::Result<FingerImage> fingerNamed(const QString& name);

} // namespace orvalen::biometrics
