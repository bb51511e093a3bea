#pragma once

#include <QDialog>

namespace orvalen::shell {

// The splash TFRMVERSAO: a borderless white picture centred on the screen that closes
// itself a fixed time after it is shown.
class SplashWindow : public QDialog {
public:
    static constexpr int kShownMs = 4000;
    explicit SplashWindow(int shownMs = kShownMs, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    int shownMs_;
};

} // namespace orvalen::shell
