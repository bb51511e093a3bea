#include "demo_club/pictures.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

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

// The demo's lettering: Liberation Sans, or DejaVu Sans where it is missing. Sizes are in
// pixels so a picture looks the same whatever the screen's resolution.
QFont letteringFont(int pixelSize, QFont::Weight weight, bool italic = false) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setItalic(italic);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// Shrinks the font until the text fits the width, so a long club name stays on the picture.
QFont fittedFont(const QString& text, int pixelSize, QFont::Weight weight, qreal width) {
    QFont font = letteringFont(pixelSize, weight);
    while (font.pixelSize() > 8 && QFontMetricsF(font).horizontalAdvance(text) > width) {
        font.setPixelSize(font.pixelSize() - 2);
    }
    return font;
}

// The club's mark: three rising bars inside a ring.
void drawEmblem(QPainter& painter, QPointF centre, qreal radius) {
    QRadialGradient glow(centre, radius);
    glow.setColorAt(0, QColor(255, 255, 255, 60));
    glow.setColorAt(1, QColor(255, 255, 255, 10));
    painter.setBrush(glow);
    painter.setPen(QPen(QColor(255, 183, 3), radius * 0.08));
    painter.drawEllipse(centre, radius, radius);

    painter.setPen(Qt::NoPen);
    const QColor bars[] = {QColor(255, 183, 3), QColor(251, 133, 0), QColor(255, 255, 255)};
    const qreal barWidth = radius * 0.28;
    const qreal gap = radius * 0.12;
    const qreal baseline = centre.y() + radius * 0.5;
    const qreal left = centre.x() - (3 * barWidth + 2 * gap) / 2;
    for (int i = 0; i < 3; ++i) {
        const qreal height = radius * (0.55 + 0.3 * i);
        painter.setBrush(bars[i]);
        painter.drawRoundedRect(
            QRectF(left + i * (barWidth + gap), baseline - height, barWidth, height),
            barWidth * 0.25, barWidth * 0.25);
    }
}

} // namespace

QString initialsOf(const QString& name) {
    const QStringList words = name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty()) {
        return {};
    }
    QString initials = words.first().left(1).toUpper();
    if (words.size() > 1) {
        initials += words.last().left(1).toUpper();
    }
    return initials;
}

QByteArray portraitJpeg(const QString& name, const QColor& colour) {
    QImage image(160, 200, QImage::Format_RGB32);
    image.fill(colour.lighter(185));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
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

    painter.setFont(letteringFont(34, QFont::Bold));
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 140, 160, 50), Qt::AlignCenter, initialsOf(name));
    painter.end();
    return toJpeg(image, 80);
}

QByteArray logoJpeg(const QString& clubName, const QString& slogan) {
    // 4:3 like the terminal's screen, since the idle screen stretches the logo over it.
    QImage image(1024, 768, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(14, 42, 78));
    sky.setColorAt(1, QColor(36, 112, 152));
    painter.fillRect(image.rect(), sky);

    drawEmblem(painter, QPointF(512, 250), 130);

    const qreal textWidth = image.width() - 120;
    painter.setPen(Qt::white);
    painter.setFont(fittedFont(clubName, 76, QFont::Bold, textWidth));
    painter.drawText(QRectF(60, 420, textWidth, 100), Qt::AlignCenter, clubName);

    painter.setPen(QPen(QColor(255, 183, 3), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(392, 540), QPointF(632, 540));

    painter.setPen(QColor(255, 209, 102));
    painter.setFont(letteringFont(40, QFont::Normal, true));
    painter.drawText(QRectF(60, 560, textWidth, 60), Qt::AlignCenter, slogan);
    painter.end();
    return toJpeg(image, 85);
}

} // namespace orvalen::demo
