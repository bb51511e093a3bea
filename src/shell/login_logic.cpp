#include "shell/login_logic.h"

#include "store/table_opening.h"

#include <stdexcept>

namespace orvalen::shell {

namespace {

constexpr QChar kEnter = QChar(13);
constexpr QChar kEsc = QChar(27);

bool submits(QChar key) {
    return key == kEnter || key == kEsc;
}

// A lookup that fails after the tables opened is an error nobody handles here: it goes to
// the exception log and the key press stops where it was.
template <class T> T valueOrThrow(store::Result<T> result) {
    if (!result.ok()) {
        throw std::runtime_error(result.error().message.toStdString());
    }
    return std::move(result).value();
}

} // namespace

LoginLogic::LoginLogic(const store::ClubConnection& connection, const store::LocalSettings& local,
                       store::Aviso& aviso, terminal::TerminalUnit& unit, Today today)
    : connection_(connection), local_(local), aviso_(aviso), unit_(unit), today_(std::move(today)) {
}

bool LoginLogic::FormShow() {
    return ABRE_TABELAS();
}

bool LoginLogic::ABRE_TABELAS() {
    state_.focus = LoginScreenState::Focus::Code;
    state_.passwordEnabled = false;
    const store::OpeningResult opened =
        store::ABRE_TABELAS(store::OpeningScreen::Login, connection_, local_);
    if (opened.sacvar2) {
        unit_.biometricSwitch = opened.sacvar2->text(QStringLiteral("LEITOR_BIOMETRICO"));
    }
    if (!opened.ok) {
        store::showOpeningFailure(aviso_, opened);
        outcome_ = Outcome::EndApplication;
        return false;
    }
    std::optional<store::CaixaControleRow> last;
    if (opened.lastCaixaControle) {
        last = store::caixaControleRow(*opened.lastCaixaControle);
    }
    const CashFlags cash = cashFlags(last, today_());
    unit_.cashOpen = cash.open;
    unit_.cashToday = cash.today;
    MTENTATIVA_CODIGO = 1;
    MTENTATIVA_SENHA = 1;
    loginOk_ = false;
    return true;
}

bool LoginLogic::EDTCODIGOUSUARIOKeyPress(QChar key) {
    if (!submits(key) || outcome_ != Outcome::Open) {
        return false;
    }
    submitCode();
    return true;
}

bool LoginLogic::EDTSENHAKeyPress(QChar key) {
    if (!submits(key) || outcome_ != Outcome::Open) {
        return false;
    }
    submitPassword();
    return true;
}

void LoginLogic::submitCode() {
    if (MTENTATIVA_CODIGO < kExhausted) {
        const auto found = valueOrThrow(store::findUsuario(connection_, state_.EDTCODIGOUSUARIO));
        if (found) {
            user_ = found;
            state_.LBLNOMEUSUARIO = found->nome;
            state_.codeEnabled = false;
            state_.passwordEnabled = true;
            state_.focus = LoginScreenState::Focus::Password;
        } else {
            ++MTENTATIVA_CODIGO;
            aviso_.AVISO(QStringLiteral("!"), QStringLiteral("Código não cadastrado !"));
            state_.EDTCODIGOUSUARIO.clear();
            state_.focus = LoginScreenState::Focus::Code;
        }
    }
    if (MTENTATIVA_CODIGO == kExhausted) {
        refuse();
    }
}

void LoginLogic::submitPassword() {
    loginOk_ = false;
    if (state_.EDTSENHA.isEmpty()) {
        // Lets another code be tried; nothing is counted and the focus stays where it is.
        state_.codeEnabled = true;
        return;
    }
    if (MTENTATIVA_SENHA < kExhausted && user_) {
        if (state_.EDTSENHA != user_->senha) {
            aviso_.AVISO(QStringLiteral("!"), QStringLiteral("Senha não confere !"));
            state_.EDTSENHA.clear();
            state_.focus = LoginScreenState::Focus::Password;
            ++MTENTATIVA_SENHA;
        } else {
            unit_.operatorCode = user_->codigo.left(2);
            loginOk_ = true;
        }
    }
    if (MTENTATIVA_SENHA == kExhausted) {
        refuse();
    } else if (loginOk_) {
        outcome_ = Outcome::LoggedIn;
    }
}

void LoginLogic::refuse() {
    aviso_.AVISO(QStringLiteral("!"), QStringLiteral("Usuário sem acesso !"));
    outcome_ = Outcome::EndApplication;
}

bool LoginLogic::FormCloseQuery() const {
    return outcome_ != Outcome::Open || MTENTATIVA_SENHA >= kExhausted || loginOk_;
}

} // namespace orvalen::shell
