#include "shell/aviso_box.h"
#include "test_application.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace orvalen::shell {
namespace {

struct SeenBox {
    QString caption;
    QString text;
    Qt::WindowModality modality = Qt::NonModal;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString yesCaption;
};

// Answers the box that AVISO opens with the given button, noting what it showed.
void answerNextBox(QMessageBox::StandardButton button, SeenBox& seen) {
    QTimer::singleShot(0, [button, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->windowModality(), box->icon(),
                box->button(QMessageBox::Yes) ? box->button(QMessageBox::Yes)->text() : QString()};
        box->button(button)->click();
    });
}

TEST(AvisoBox, KindsButtonsAndAnswers) {
    test::ensureApplication();
    struct Case {
        const char* kind;
        const char* detail;
        QMessageBox::StandardButton press;
        int answer;
        QMessageBox::Icon icon;
        QString text;
    };
    const Case cases[] = {
        {"!", "", QMessageBox::Ok, store::Aviso::kOk, QMessageBox::Information,
         QStringLiteral("Texto")},
        {"!", "Detalhe", QMessageBox::Ok, store::Aviso::kOk, QMessageBox::Information,
         QStringLiteral("Texto\n\rDetalhe")},
        {"?", "", QMessageBox::Yes, store::Aviso::kYes, QMessageBox::Question,
         QStringLiteral("Texto")},
        {"?", "", QMessageBox::No, store::Aviso::kNo, QMessageBox::Question,
         QStringLiteral("Texto")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.detail);
        AvisoBox aviso;
        SeenBox seen;
        answerNextBox(c.press, seen);
        EXPECT_EQ(
            aviso.AVISO(QLatin1String(c.kind), QStringLiteral("Texto"), QLatin1String(c.detail)),
            c.answer);
        EXPECT_EQ(seen.caption, QStringLiteral("Orvalen"));
        EXPECT_EQ(seen.text, c.text);
        EXPECT_EQ(seen.modality, Qt::ApplicationModal);
        EXPECT_EQ(seen.icon, c.icon);
        EXPECT_EQ(seen.yesCaption,
                  c.icon == QMessageBox::Question ? QStringLiteral("&Sim") : QString());
    }
}

} // namespace
} // namespace orvalen::shell
