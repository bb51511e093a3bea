#include "demo_club/pictures.h"

#include "demo_club/block_letters.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>

namespace orvalen::demo {

namespace {

QByteArray toJpeg(const QImage& image, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    if (!writer.write(image)) {
        return {};
    }
    return bytes;
}

void drawCentredText(QPainter& painter, qreal centreX, qreal top, qreal cell, const QString& text,
                     const QColor& colour) {
    const qreal width = blockTextWidth(text, cell);
    drawBlockText(painter, QPointF(centreX - width / 2, top), cell, text, colour);
}

} // namespace

QString initialsOf(const QString& name) {
    const QStringList words = name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty()) {
        return {};
    }
    QString initials = plainCapitals(words.first().left(1));
    if (words.size() > 1) {
        initials += plainCapitals(words.last().left(1));
    }
    return initials;
}

QByteArray portraitJpeg(const QString& name, const QColor& colour) {
    QImage image(160, 200, QImage::Format_RGB32);
    image.fill(colour.lighter(185));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    // Shoulders, then the head above them.
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(14, 128, 132, 120));
    painter.setBrush(colour.darker(115));
    painter.drawEllipse(QRectF(47, 40, 66, 76));
    // A smile, so the demo looks welcoming.
    painter.setPen(QPen(colour.lighter(170), 3, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(64, 70, 32, 24), 200 * 16, 140 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour.lighter(170));
    painter.drawEllipse(QRectF(66, 64, 6, 6));
    painter.drawEllipse(QRectF(88, 64, 6, 6));

    drawCentredText(painter, 80, 148, 6, initialsOf(name), Qt::white);
    painter.end();
    return toJpeg(image, 80);
}

QByteArray logoJpeg(const QString& clubName, const QString& slogan) {
    QImage image(1024, 576, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(18, 52, 94));
    sky.setColorAt(1, QColor(40, 120, 160));
    painter.fillRect(image.rect(), sky);
    // Three rising bars stand for the club's mark.
    painter.setPen(Qt::NoPen);
    const QColor marks[] = {QColor(255, 183, 3), QColor(251, 133, 0), QColor(255, 255, 255)};
    for (int i = 0; i < 3; ++i) {
        painter.setBrush(marks[i]);
        painter.drawRoundedRect(QRectF(432 + i * 60, 150 - i * 40, 40, 110 + i * 40), 10, 10);
    }
    const qreal nameCell = qMin<qreal>(12, 960.0 / qMax<qsizetype>(1, clubName.size() * 6));
    drawCentredText(painter, 512, 320, nameCell, clubName, Qt::white);
    drawCentredText(painter, 512, 440, 5, slogan, QColor(255, 183, 3));
    painter.end();
    return toJpeg(image, 85);
}

} // namespace orvalen::demo
