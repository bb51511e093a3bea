#pragma once

#include "shell/cash_flags.h"
#include "store/aviso.h"
#include "store/connection.h"
#include "store/local_settings.h"
#include "store/login_lookups.h"
#include "terminal/terminal_unit.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

namespace orvalen::shell {

// What the login dialog shows, named after its controls.
struct LoginScreenState {
    QString EDTCODIGOUSUARIO;
    bool codeEnabled = true;
    QString LBLNOMEUSUARIO;
    QString EDTSENHA;
    bool passwordEnabled = false;
    enum class Focus { Code, Password, None } focus = Focus::Code;
};

// The operator login TPDLGACESSO without its window: the five tables, the cash flags, the
// code and password attempts. The window copies its fields into the state before a key is
// handed over and renders the state afterwards.
class LoginLogic {
public:
    enum class Outcome { Open, LoggedIn, EndApplication };
    using Today = std::function<QDate()>;

    LoginLogic(const store::ClubConnection& connection, const store::LocalSettings& local,
               store::Aviso& aviso, terminal::TerminalUnit& unit, Today today);

    LoginScreenState& state() { return state_; }
    Outcome outcome() const { return outcome_; }

    // Opens the tables (ABRE_TABELAS); false, with the message shown and the application
    // ending, when one cannot be opened.
    bool FormShow();
    bool ABRE_TABELAS();

    // Enter or Esc submits the field; other keys are typed by the window and return false.
    bool EDTCODIGOUSUARIOKeyPress(QChar key);
    bool EDTSENHAKeyPress(QChar key);

    // Closing is refused until the login succeeded or the password attempts are used up.
    bool FormCloseQuery() const;

    bool loginOk() const { return loginOk_; }
    int codeAttempts() const { return MTENTATIVA_CODIGO; }
    int passwordAttempts() const { return MTENTATIVA_SENHA; }

private:
    static constexpr int kExhausted = 4;

    void submitCode();
    void submitPassword();
    bool openOrEnd(const QString& table, const QString& label,
                   const std::function<bool()>& afterwards = {});
    void refuse();

    const store::ClubConnection& connection_;
    const store::LocalSettings& local_;
    store::Aviso& aviso_;
    terminal::TerminalUnit& unit_; // operator code, cash flags, biometric reader switch
    Today today_;
    LoginScreenState state_;
    Outcome outcome_ = Outcome::Open;

    int MTENTATIVA_CODIGO = 0;
    int MTENTATIVA_SENHA = 0;
    std::optional<store::Usuario> user_;
    bool loginOk_ = false;
};

} // namespace orvalen::shell
