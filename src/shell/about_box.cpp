#include "shell/about_box.h"

#include "shell/artwork.h"
#include "shell/dialog_style.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>

namespace orvalen::shell {

AboutBox::AboutBox(const AboutTexts& texts, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FRMSOBRE"));
    setWindowTitle(QStringLiteral("Sobre"));
    applyDialogLook(*this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(413, 210);

    auto* layout = new QGridLayout(this);
    auto* picture = new QLabel(this);
    picture->setPixmap(aboutPicture());
    picture->setCursor(Qt::PointingHandCursor);
    picture->installEventFilter(this);
    layout->addWidget(picture, 0, 0, 8, 1, Qt::AlignTop);

    int row = 0;
    const auto line = [&](const QString& text, bool bold = false) {
        if (text.trimmed().isEmpty()) {
            return; // an address line the club left blank takes no room
        }
        auto* label = new QLabel(text, this);
        label->setFont(navyArial(bold ? 10 : 9, bold));
        layout->addWidget(label, row++, 1);
    };
    line(texts.version, true);
    line(texts.filial);
    line(texts.cliente + QStringLiteral(" - ") + texts.academia, true);
    line(texts.endereco);
    line(texts.complemento);
    line(QStringLiteral("CNPJ ") + texts.cnpj);
    line(QStringLiteral("Insc. Municipal ") + texts.inscricao);
    layout->setRowStretch(row, 1);
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace orvalen::shell
