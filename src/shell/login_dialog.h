#pragma once

#include "shell/login_logic.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace orvalen::shell {

// The login window TPDLGACESSO: renders LoginLogic and hands it Enter and Esc.
class LoginDialog : public QDialog {
public:
    LoginDialog(LoginLogic& logic, QWidget* parent = nullptr);

    bool loggedIn() const { return logic_.outcome() == LoginLogic::Outcome::LoggedIn; }

    QLineEdit* codeField() const { return code_; }
    QLineEdit* passwordField() const { return password_; }

    void reject() override; // Esc on the dialog itself: refused like any other close
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void render();
    void afterHandler();
    bool canClose() const;

    LoginLogic& logic_;
    QLineEdit* code_;
    QLabel* name_;
    QLineEdit* password_;
    bool opened_ = false;
};

} // namespace orvalen::shell
