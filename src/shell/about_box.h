#pragma once

#include "shell/about_logic.h"

#include <QDialog>

namespace orvalen::shell {

// The about box TFRMSOBRE: version, branch and club data; a click on the picture closes it.
class AboutBox : public QDialog {
public:
    AboutBox(const AboutTexts& texts, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace orvalen::shell
