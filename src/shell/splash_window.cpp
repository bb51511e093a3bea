#include "shell/splash_window.h"

#include "shell/artwork.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace orvalen::shell {

SplashWindow::SplashWindow(int shownMs, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint), shownMs_(shownMs) {
    setObjectName(QStringLiteral("FRMVERSAO"));
    setFixedSize(410, 208);
    setStyleSheet(QStringLiteral("background: white;"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* picture = new QLabel(this);
    picture->setPixmap(splashPicture());
    layout->addWidget(picture);
    // Centred by hand: the platform's placement allows for a title bar the splash has not.
    const QRect screenArea = QGuiApplication::primaryScreen()->availableGeometry();
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screenArea));
}

void SplashWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QTimer::singleShot(shownMs_, this, &QDialog::accept);
}

} // namespace orvalen::shell
