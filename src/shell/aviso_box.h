#pragma once

#include "store/aviso.h"

#include <QPointer>
#include <QWidget>

namespace orvalen::shell {

// AVISO on screen: beep, task-modal box captioned "Orvalen"; "!" informs with OK, any other
// kind asks with Yes and No.
class AvisoBox : public store::Aviso {
public:
    explicit AvisoBox(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    int AVISO(const QString& kind, const QString& text, const QString& detail = {}) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace orvalen::shell
