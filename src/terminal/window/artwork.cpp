#include "terminal/window/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace orvalen::terminal {

namespace {

QImage blank(const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void drawTripod(QPainter& p, const QRectF& area) {
    const qreal w = area.width();
    const qreal h = area.height();
    const qreal x = area.left();
    const qreal y = area.top();

    // Floor shadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(QRectF(x + w * 0.14, y + h * 0.88, w * 0.72, h * 0.07));

    // Cabinet: brushed steel, slanted top.
    QPainterPath cabinet;
    cabinet.moveTo(x + w * 0.30, y + h * 0.90);
    cabinet.lineTo(x + w * 0.30, y + h * 0.42);
    cabinet.lineTo(x + w * 0.44, y + h * 0.34);
    cabinet.lineTo(x + w * 0.70, y + h * 0.34);
    cabinet.lineTo(x + w * 0.70, y + h * 0.90);
    cabinet.closeSubpath();
    QLinearGradient steel(x + w * 0.30, 0, x + w * 0.70, 0);
    steel.setColorAt(0.0, QColor(120, 128, 138));
    steel.setColorAt(0.35, QColor(222, 226, 232));
    steel.setColorAt(0.55, QColor(190, 196, 204));
    steel.setColorAt(1.0, QColor(104, 112, 122));
    p.setBrush(steel);
    p.setPen(QPen(QColor(70, 76, 86), 2));
    p.drawPath(cabinet);

    // Top lid and the indicator lights.
    QPainterPath lid;
    lid.moveTo(x + w * 0.30, y + h * 0.42);
    lid.lineTo(x + w * 0.44, y + h * 0.34);
    lid.lineTo(x + w * 0.70, y + h * 0.34);
    lid.lineTo(x + w * 0.56, y + h * 0.42);
    lid.closeSubpath();
    p.setBrush(QColor(60, 66, 76));
    p.drawPath(lid);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 200, 120));
    p.drawEllipse(QPointF(x + w * 0.40, y + h * 0.50), w * 0.025, w * 0.025);
    p.setBrush(QColor(230, 70, 60));
    p.drawEllipse(QPointF(x + w * 0.48, y + h * 0.50), w * 0.025, w * 0.025);
    // Card reader window.
    p.setBrush(QColor(30, 34, 40));
    p.drawRoundedRect(QRectF(x + w * 0.36, y + h * 0.56, w * 0.16, h * 0.08), 4, 4);

    // Hub on the side of the cabinet and three arms 120 degrees apart.
    const QPointF hub(x + w * 0.62, y + h * 0.50);
    const qreal arm = w * 0.42;
    const qreal angles[] = {180.0, 300.0, 60.0};
    for (const qreal degrees : angles) {
        const qreal rad = degrees * M_PI / 180.0;
        // Perspective: the arms tilt down towards the passage.
        const QPointF end(hub.x() + std::cos(rad) * arm,
                          hub.y() + std::sin(rad) * arm * 0.45 + arm * 0.08);
        p.setPen(QPen(QColor(70, 76, 86), w * 0.045, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(hub, end);
        p.setPen(QPen(QColor(235, 238, 242), w * 0.025, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(hub, end);
    }
    QRadialGradient cap(hub, w * 0.06);
    cap.setColorAt(0, QColor(245, 246, 248));
    cap.setColorAt(1, QColor(110, 118, 128));
    p.setPen(QPen(QColor(60, 66, 76), 2));
    p.setBrush(cap);
    p.drawEllipse(hub, w * 0.06, w * 0.06);
}

void drawProhibition(QPainter& p, const QRectF& area) {
    const QPointF centre = area.center();
    const qreal radius = qMin(area.width(), area.height()) * 0.42;
    const qreal stroke = radius * 0.16;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(210, 20, 20, 230), stroke, Qt::SolidLine, Qt::FlatCap));
    p.drawEllipse(centre, radius, radius);
    const qreal d = radius * std::sqrt(0.5);
    p.drawLine(QPointF(centre.x() - d, centre.y() - d), QPointF(centre.x() + d, centre.y() + d));
}

} // namespace

QImage turnstilePicture(const QSize& size, bool prohibited) {
    QImage image = blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area(0, 0, size.width(), size.height());
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(250, 251, 253));
    sky.setColorAt(1, QColor(226, 232, 240));
    p.fillRect(area, sky);
    drawTripod(p, area.adjusted(size.width() * 0.05, size.height() * 0.05, -size.width() * 0.05,
                                -size.height() * 0.02));
    if (prohibited) {
        drawProhibition(p, area);
    }
    return image;
}

QImage photoPlaceholder(const QSize& size) {
    QImage image = blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, 0, size.height());
    back.setColorAt(0, QColor(236, 240, 245));
    back.setColorAt(1, QColor(205, 213, 224));
    p.fillRect(image.rect(), back);
    const qreal w = size.width();
    const qreal h = size.height();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(160, 171, 186));
    p.drawEllipse(QPointF(w / 2, h * 0.38), w * 0.19, w * 0.21);
    QPainterPath shoulders;
    shoulders.moveTo(w * 0.12, h);
    shoulders.cubicTo(w * 0.14, h * 0.66, w * 0.86, h * 0.66, w * 0.88, h);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    return image;
}

QImage backgroundPicture(const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    QLinearGradient back(0, 0, w, h);
    back.setColorAt(0, QColor(10, 32, 74));
    back.setColorAt(0.55, QColor(18, 64, 128));
    back.setColorAt(1, QColor(8, 24, 56));
    p.fillRect(image.rect(), back);

    // Soft light from the upper left and fine diagonal lines.
    QRadialGradient glow(QPointF(w * 0.25, h * 0.2), w * 0.6);
    glow.setColorAt(0, QColor(255, 255, 255, 40));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), glow);
    p.setPen(QPen(QColor(255, 255, 255, 12), 1));
    for (qreal x = -h; x < w; x += 18) {
        p.drawLine(QPointF(x, h), QPointF(x + h, 0));
    }

    // The turnstile as a large watermark on the right.
    QImage faded(QSize(int(h * 0.55), int(h * 0.62)), QImage::Format_ARGB32_Premultiplied);
    faded.fill(Qt::transparent);
    {
        QPainter f(&faded);
        f.setRenderHint(QPainter::Antialiasing);
        drawTripod(f, QRectF(0, 0, faded.width(), faded.height()));
    }
    p.setOpacity(0.16);
    p.drawImage(QPointF(w * 0.60, h * 0.20), faded);
    p.setOpacity(1.0);

    // Wordmark.
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(int(h * 0.095));
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(255, 255, 255));
    p.drawText(QRectF(w * 0.07, h * 0.30, w * 0.6, h * 0.14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Orvalen"));
    QFont subtitle(QStringLiteral("Arial"));
    subtitle.setPixelSize(int(h * 0.042));
    p.setFont(subtitle);
    p.setPen(QColor(170, 200, 240));
    p.drawText(QRectF(w * 0.07, h * 0.44, w * 0.6, h * 0.07), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Controle de Acesso"));
    p.setPen(QPen(QColor(80, 200, 120), h * 0.006));
    p.drawLine(QPointF(w * 0.07, h * 0.525), QPointF(w * 0.22, h * 0.525));
    return image;
}

} // namespace orvalen::terminal
