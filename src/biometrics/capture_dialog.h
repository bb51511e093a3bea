#pragma once

#include "biometrics/capture_screen_logic.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QTimer;

namespace orvalen::biometrics {

// The window of the fingerprint screen: a small fixed dialog that renders CaptureScreenLogic.
// Once it is on screen, three ticks of TimerGif (100 ms) blink the finger picture, then the
// capture runs and the dialog closes.
class CaptureDialog : public QDialog {
public:
    CaptureDialog(CaptureScreenLogic& logic, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void TimerGifTimer();
    void render();

    CaptureScreenLogic& logic_;
    QGroupBox* GBTITULO_;
    QLabel* LBLMATRICULA_;
    QLabel* LBLNOME_;
    QLabel* staticFpWnd_;
    QLabel* finger_; // the second finger picture, blinked while the screen starts
    QTimer* TimerGif_;
    int ticks_ = 0;
};

// Shows the fingerprint screen modally over the parent: creation, the window, closing.
void showCaptureDialog(CaptureScreenLogic& logic, QWidget* parent);

} // namespace orvalen::biometrics
