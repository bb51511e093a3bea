#include "biometrics/capture_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QTimer>
#include <QVBoxLayout>

namespace orvalen::biometrics {

namespace {

const QColor kDialogBlue(215, 237, 251);
const QColor kNavy(0, 0, 128);
constexpr int kWidth = 333;
constexpr int kHeight = 339;
constexpr int kTicksBeforeCapture = 3;

// A fingertip of concentric arcs, the hint to place the finger.
QPixmap fingerPicture() {
    QPixmap picture(90, 110);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kNavy, 3));
    for (int ring = 0; ring < 6; ++ring) {
        const int inset = 6 + ring * 7;
        painter.drawArc(QRect(inset, inset, 90 - 2 * inset, 130 - 2 * inset), 0, 180 * 16);
    }
    return picture;
}

} // namespace

CaptureDialog::CaptureDialog(CaptureScreenLogic& logic, QWidget* parent)
    : QDialog(parent), logic_(logic), GBTITULO_(new QGroupBox(this)),
      LBLMATRICULA_(new QLabel(GBTITULO_)), LBLNOME_(new QLabel(GBTITULO_)),
      staticFpWnd_(new QLabel(this)), finger_(new QLabel(staticFpWnd_)),
      TimerGif_(new QTimer(this)) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(kWidth, kHeight);
    QPalette look = palette();
    look.setColor(QPalette::Window, kDialogBlue);
    look.setColor(QPalette::WindowText, kNavy);
    setPalette(look);
    setAutoFillBackground(true);

    auto* header = new QVBoxLayout(GBTITULO_);
    header->addWidget(LBLMATRICULA_);
    header->addWidget(LBLNOME_);
    GBTITULO_->setGeometry(8, 4, kWidth - 16, 70);

    staticFpWnd_->setAutoFillBackground(true);
    QPalette white = staticFpWnd_->palette();
    white.setColor(QPalette::Window, Qt::white);
    staticFpWnd_->setPalette(white);
    staticFpWnd_->setAlignment(Qt::AlignCenter);
    finger_->setPixmap(fingerPicture());
    finger_->setGeometry(0, 0, 90, 110);

    TimerGif_->setInterval(100);
    connect(TimerGif_, &QTimer::timeout, this, [this] { TimerGifTimer(); });
    render();
}

void CaptureDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // FormActivate: the capture starts once the window has had time to appear.
    ticks_ = 0;
    TimerGif_->start();
}

void CaptureDialog::TimerGifTimer() {
    finger_->setVisible(!finger_->isVisible());
    if (++ticks_ < kTicksBeforeCapture) {
        return;
    }
    TimerGif_->stop();
    finger_->hide();
    logic_.AtivaLeitor();
    render();
    accept();
}

void CaptureDialog::render() {
    const CaptureScreenState& state = logic_.state();
    setWindowTitle(state.caption);
    GBTITULO_->setTitle(state.GBTITULO);
    GBTITULO_->setVisible(state.GBTITULOVisible);
    LBLMATRICULA_->setText(state.LBLMATRICULA);
    LBLNOME_->setText(state.LBLNOME);
    const int top = state.staticFpWndRaised ? 50 : 82;
    staticFpWnd_->setGeometry(16, top, kWidth - 32, kHeight - top - 16);
    finger_->move((staticFpWnd_->width() - finger_->width()) / 2,
                  (staticFpWnd_->height() - finger_->height()) / 2);
    if (!state.picture.isNull()) {
        staticFpWnd_->setPixmap(
            QPixmap::fromImage(state.picture)
                .scaled(staticFpWnd_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
}

void showCaptureDialog(CaptureScreenLogic& logic, QWidget* parent) {
    logic.FormCreate();
    if (!logic.state().closeRequested) {
        logic.FormShow();
    }
    if (!logic.state().closeRequested) {
        CaptureDialog dialog(logic, parent);
        dialog.exec();
    }
    logic.FormClose();
}

} // namespace orvalen::biometrics
