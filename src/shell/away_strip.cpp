#include "shell/away_strip.h"

#include <QLabel>
#include <QTimer>

namespace orvalen::shell {

namespace {

constexpr int kLookMs = 500;
constexpr int kHeight = 36;

} // namespace

void showAwayStrip(QWidget* window, contingency::AwaySwitch& away) {
    auto* strip = new QLabel(window);
    strip->setObjectName(QStringLiteral("PNLCONTINGENCIA"));
    strip->setAlignment(Qt::AlignCenter);
    strip->setAutoFillBackground(true);
    strip->setStyleSheet(QStringLiteral(
        "QLabel { background: #b00020; color: white; font-weight: bold; font-size: 16pt; }"));
    strip->hide();
    auto* look = new QTimer(strip);
    look->setInterval(kLookMs);
    QObject::connect(look, &QTimer::timeout, strip, [strip, window, &away] {
        const QString text = away.stripText();
        if (text.isEmpty()) {
            strip->hide();
            return;
        }
        strip->setText(text);
        strip->setGeometry(0, 0, window->width(), kHeight);
        strip->raise();
        strip->show();
    });
    look->start();
}

} // namespace orvalen::shell
