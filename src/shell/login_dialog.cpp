#include "shell/login_dialog.h"

#include "shell/dialog_style.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace orvalen::shell {

namespace {

// The password shows one "*" for each character, whatever the desktop's style would draw.
class AsteriskPasswordStyle : public QProxyStyle {
public:
    explicit AsteriskPasswordStyle(QObject* owner) { setParent(owner); }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_LineEdit_PasswordCharacter) {
            return u'*';
        }
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// The fields take upper case only, as typed.
void upperCaseInput(QLineEdit* field) {
    QObject::connect(field, &QLineEdit::textEdited, field, [field](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = field->cursorPosition();
            field->setText(upper);
            field->setCursorPosition(cursor);
        }
    });
}

QGroupBox* group(QWidget* parent, const QString& hint, const QString& caption) {
    auto* box = new QGroupBox(parent);
    box->setToolTip(hint);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(8, 4, 8, 6);
    auto* label = new QLabel(caption, box);
    label->setFont(navyArial(9, false));
    layout->addWidget(label);
    return box;
}

} // namespace

LoginDialog::LoginDialog(LoginLogic& logic, QWidget* parent) : QDialog(parent), logic_(logic) {
    setObjectName(QStringLiteral("PDLGACESSO"));
    setWindowTitle(QStringLiteral("Acesso"));
    applyDialogLook(*this);
    setFixedSize(295, 191);

    auto* layout = new QVBoxLayout(this);
    auto* codeBox =
        group(this, QStringLiteral("Digite seu código"), QStringLiteral(" Código do Usuário "));
    auto* codeRow = new QHBoxLayout();
    code_ = new QLineEdit(codeBox);
    code_->setObjectName(QStringLiteral("EDTCODIGOUSUARIO"));
    code_->setMaxLength(2);
    code_->setFixedWidth(48);
    code_->setFont(navyArial(12, true));
    upperCaseInput(code_);
    name_ = new QLabel(codeBox);
    name_->setObjectName(QStringLiteral("LBLNOMEUSUARIO"));
    name_->setFont(navyArial(11, true));
    codeRow->addWidget(code_);
    codeRow->addWidget(name_, 1);
    static_cast<QVBoxLayout*>(codeBox->layout())->addLayout(codeRow);

    auto* passwordBox = group(this, QStringLiteral("Digite sua senha"), QStringLiteral(" Senha "));
    password_ = new QLineEdit(passwordBox);
    password_->setObjectName(QStringLiteral("EDTSENHA"));
    password_->setMaxLength(6);
    password_->setFixedWidth(100);
    password_->setStyle(new AsteriskPasswordStyle(password_)); // "*" for each character
    password_->setEchoMode(QLineEdit::Password);
    password_->setFont(navyArial(12, true));
    upperCaseInput(password_);
    passwordBox->layout()->addWidget(password_);

    layout->addWidget(codeBox);
    layout->addWidget(passwordBox);
    code_->installEventFilter(this);
    password_->installEventFilter(this);
    render();
}

void LoginDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (opened_) {
        return;
    }
    opened_ = true;
    // The tables open once the dialog is on screen, so a failure's box has a parent shown.
    QTimer::singleShot(0, this, [this] {
        logic_.FormShow();
        render();
        afterHandler();
    });
}

bool LoginDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    QChar pressed;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        pressed = QChar(13);
    } else if (key->key() == Qt::Key_Escape) {
        pressed = QChar(27);
    } else {
        return QDialog::eventFilter(watched, event);
    }
    logic_.state().EDTCODIGOUSUARIO = code_->text();
    logic_.state().EDTSENHA = password_->text();
    if (watched == code_) {
        logic_.EDTCODIGOUSUARIOKeyPress(pressed);
    } else if (watched == password_) {
        logic_.EDTSENHAKeyPress(pressed);
    }
    render();
    afterHandler();
    return true; // Enter and Esc never reach the dialog's default button or its reject
}

void LoginDialog::render() {
    const LoginScreenState& state = logic_.state();
    if (code_->text() != state.EDTCODIGOUSUARIO) {
        code_->setText(state.EDTCODIGOUSUARIO);
    }
    if (password_->text() != state.EDTSENHA) {
        password_->setText(state.EDTSENHA);
    }
    name_->setText(state.LBLNOMEUSUARIO);
    code_->setEnabled(state.codeEnabled);
    password_->setEnabled(state.passwordEnabled);
    if (state.focus == LoginScreenState::Focus::Code && code_->isEnabled()) {
        code_->setFocus();
    } else if (state.focus == LoginScreenState::Focus::Password && password_->isEnabled()) {
        password_->setFocus();
    }
}

void LoginDialog::afterHandler() {
    if (logic_.outcome() == LoginLogic::Outcome::LoggedIn) {
        QDialog::done(Accepted);
    } else if (logic_.outcome() == LoginLogic::Outcome::EndApplication) {
        QDialog::done(Rejected);
    }
}

bool LoginDialog::canClose() const {
    return logic_.FormCloseQuery();
}

void LoginDialog::reject() {
    if (canClose()) {
        QDialog::reject();
    }
}

void LoginDialog::done(int result) {
    if (canClose()) {
        QDialog::done(result);
    }
}

void LoginDialog::closeEvent(QCloseEvent* event) {
    if (canClose()) {
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}

} // namespace orvalen::shell
