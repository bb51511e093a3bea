#include "shell/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace orvalen::shell {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kLightBlue(215, 237, 251);
const QColor kGreen(0, 128, 0);

// A waist-high tripod turnstile: the cabinet, the hub on its side, the barrier arm across
// the passage and the two arms behind it, seen at an angle.
void drawTurnstile(QPainter& p, const QRectF& box, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = box.width();
    const qreal h = box.height();
    const QRectF cabinet(box.left() + w * 0.06, box.top() + h * 0.30, w * 0.34, h * 0.66);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(cabinet, w * 0.04, w * 0.04);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawRoundedRect(cabinet.adjusted(w * 0.04, h * 0.06, -w * 0.20, -h * 0.06), w * 0.02,
                      w * 0.02);
    // The lamp that turns green when access is granted.
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(cabinet.center().x(), cabinet.top() + h * 0.08), w * 0.045, w * 0.045);

    const QPointF hub(cabinet.right(), cabinet.top() + h * 0.16);
    QPen arm(colour, w * 0.055, Qt::SolidLine, Qt::RoundCap);
    p.setPen(arm);
    p.drawLine(hub, hub + QPointF(w * 0.52, 0));
    arm.setColor(colour.lighter(160));
    p.setPen(arm);
    p.drawLine(hub, hub + QPointF(w * 0.14, h * 0.40));
    p.drawLine(hub, hub + QPointF(w * 0.30, -h * 0.10));
    p.setPen(Qt::NoPen);
    p.setBrush(colour.darker(130));
    p.drawEllipse(hub, w * 0.07, w * 0.07);
    p.restore();
}

QFont font(int pixelSize, int weight = QFont::Bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setWeight(static_cast<QFont::Weight>(weight));
    return f;
}

} // namespace

QPixmap splashPicture() {
    QPixmap pixmap(410, 208);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 410, 0);
    band.setColorAt(0, kNavy);
    band.setColorAt(1, QColor(40, 90, 170));
    p.fillRect(QRectF(0, 168, 410, 40), band);
    drawTurnstile(p, QRectF(22, 22, 120, 132), kNavy);
    p.setPen(kNavy);
    p.setFont(font(44));
    p.drawText(QRectF(150, 36, 250, 56), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Orvalen"));
    p.setFont(font(17, QFont::Normal));
    p.drawText(QRectF(152, 92, 250, 28), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Controle de Acesso"));
    p.setPen(Qt::white);
    p.setFont(font(13, QFont::Normal));
    p.drawText(QRectF(16, 168, 380, 40), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Versão 9.26"));
    p.drawText(QRectF(16, 168, 380, 40), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Academias e clubes"));
    return pixmap;
}

QPixmap backgroundPicture() {
    QPixmap pixmap(828, 623);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(414, 280), 430);
    glow.setColorAt(0, Qt::white);
    glow.setColorAt(1, kLightBlue);
    QPainterPath card;
    card.addRoundedRect(QRectF(4, 4, 820, 615), 28, 28);
    p.fillPath(card, glow);
    p.setPen(QPen(QColor(150, 190, 225), 2));
    p.drawPath(card);
    drawTurnstile(p, QRectF(294, 70, 240, 260), kNavy);
    p.setPen(kNavy);
    p.setFont(font(72));
    p.drawText(QRectF(0, 350, 828, 100), Qt::AlignCenter, QStringLiteral("Orvalen"));
    p.setFont(font(26, QFont::Normal));
    p.drawText(QRectF(0, 445, 828, 44), Qt::AlignCenter, QStringLiteral("Controle de Acesso"));
    p.setPen(QColor(60, 80, 120));
    p.setFont(font(15, QFont::Normal));
    p.drawText(QRectF(0, 520, 828, 60), Qt::AlignCenter,
               QStringLiteral("Acesso \u2192 Abrir para iniciar o terminal da catraca"));
    return pixmap;
}

QPixmap aboutPicture() {
    QPixmap pixmap(128, 128);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kLightBlue);
    p.drawRoundedRect(QRectF(2, 2, 124, 124), 18, 18);
    drawTurnstile(p, QRectF(14, 12, 100, 108), kNavy);
    return pixmap;
}

} // namespace orvalen::shell
