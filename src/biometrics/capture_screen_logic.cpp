#include "biometrics/capture_screen_logic.h"

#include "biometrics/finger_galleries.h"
#include "biometrics/finger_template.h"
#include "store/fingerprint_templates.h"
#include "store/people_lookups.h"
#include "store/settings.h"

namespace orvalen::biometrics {

namespace {

constexpr int kAnyReader = 255;
constexpr int kCapturePurpose = 1;
constexpr int kMaxSearchTime = 3000;

const QString kDriverMissing = QStringLiteral("Falha procurando drive leitor biométrico!");
const QString kTableOpening = QStringLiteral("Abertura de tabela !");
const QString kCaptureFailed = QStringLiteral("Falha na Captura!");
const QString kPortFailed = QStringLiteral("Falha na porta!");
const QString kBothTables = QStringLiteral("AlunosAtivos/Funcionarios");

QString tenDigits(qint64 number) {
    return QStringLiteral("%1").arg(number, 10, 10, QLatin1Char('0'));
}

} // namespace

CaptureScreenLogic::CaptureScreenLogic(CaptureScreenServices services, BiometricShare& share)
    : services_(std::move(services)), share_(share) {}

void CaptureScreenLogic::fail(const QString& message) {
    share_.biometricMessage = message;
    share_.biometricFailure = true;
    state_.closeRequested = true;
}

// A table that cannot be read: the box names it, and the opener hears of it too rather than
// taking the closed screen for a success.
void CaptureScreenLogic::tableFailure(const QString& detail) {
    services_.aviso.AVISO(QStringLiteral("!"), kTableOpening, detail);
    fail(kTableOpening);
}

void CaptureScreenLogic::FormCreate() {
    if (services_.keptIndex != nullptr) {
        reader_ = &services_.keptIndex->reader();
    } else {
        ownReader_ = std::make_unique<nbiobsp::NBioBSP>(services_.engine);
        reader_ = ownReader_.get();
    }
    reader_->Extraction.CaptureTimeout = services_.captureTimeout;
    if (!services_.engine.ok()) {
        // Without the library no capture can follow: the screen closes and says why.
        fail(kDriverMissing);
        return;
    }
    auto sacvar2 = store::SettingsRow::load(services_.club, QStringLiteral("Sacvar2"));
    if (!sacvar2.ok()) {
        tableFailure(QStringLiteral("Sacvar2"));
        return;
    }
    securityLevel_ = sacvar2->integer(QStringLiteral("NIVAL_SEGURANCA_BIO"));
    matriculaDigital_ = sacvar2->text(QStringLiteral("MATRICULADIGITAL"));
    const store::ClubConnection* employees = services_.branchInUse ? nullptr : &services_.club;
    auto loaded = services_.keptIndex != nullptr
                      ? services_.keptIndex->load(services_.students, employees)
                      : loadFingerIndex(reader_->IndexSearch, services_.students, employees);
    if (!loaded.ok()) {
        tableFailure(kBothTables);
        return;
    }
    if (services_.errorLog != nullptr) {
        for (const QString& row : loaded->unusable) {
            services_.errorLog->record(row);
        }
    }
}

void CaptureScreenLogic::FormShow() {
    share_.biometricMessage.clear();
    if (share_.biometricMode != 1) {
        state_.GBTITULOVisible = false;
        state_.caption = QStringLiteral("Verificação Biométrica");
        state_.staticFpWndRaised = true;
        return;
    }
    showHeader();
    state_.caption = QStringLiteral("Captura Biométrica");
}

void CaptureScreenLogic::showHeader() {
    const QString& number = share_.sharedMatricula;
    if (number.startsWith(QLatin1String("91"))) {
        state_.GBTITULO = QStringLiteral(" Funcionário ");
        // The row the enrolment writes to: the header names the person whose finger it is.
        const QString key =
            store::fingerprints::fingerOwnerOf(QLatin1Char('0') + number, share_.employeeKindPrefix)
                .matricula;
        auto employee = store::PeopleLookups(services_.club).employee(key);
        if (!employee.ok()) {
            tableFailure(QStringLiteral("Funcionarios"));
            return;
        }
        // An employee not on file shows no one rather than another person's row.
        if (employee->has_value()) {
            state_.LBLMATRICULA = employee.value()->value(QStringLiteral("MATRICULA")).toString();
            state_.LBLNOME = employee.value()->value(QStringLiteral("NOME")).toString().left(20);
        }
        return;
    }
    state_.GBTITULO = QStringLiteral(" Aluno ");
    // Typed with or without its zeros, as everywhere else at the terminal.
    auto student = store::PeopleLookups(services_.students).activeStudentByNumber(number);
    if (!student.ok()) {
        tableFailure(QStringLiteral("AlunosAtivos"));
        return;
    }
    if (student->has_value()) {
        state_.LBLMATRICULA = student.value()->value(QStringLiteral("MATRICULA")).toString();
        state_.LBLNOME = student.value()->value(QStringLiteral("NOME")).toString().left(20);
    }
}

void CaptureScreenLogic::AtivaLeitor() {
    nbiobsp::NBioExtraction& extraction = reader_->Extraction;
    extraction.WindowStyle = 1;
    extraction.FPForeColor = QStringLiteral("000000");
    extraction.FPBackColor = QStringLiteral("FFFFFF");
    extraction.FingerWnd = [this](const QImage& picture) { state_.picture = picture; };
    services_.processEvents();
    if (share_.biometricMode == 1) {
        enrol();
    } else {
        verify();
    }
    state_.closeRequested = true;
}

bool CaptureScreenLogic::capture() {
    template_.clear();
    reader_->Device.Open(kAnyReader);
    if (reader_->Device.ErrorCode() != nbiobsp::kNone) {
        fail(kPortFailed + QStringLiteral(" ao Abrir"));
        return false;
    }
    reader_->Extraction.Capture(kCapturePurpose);
    const bool captured = reader_->Extraction.ErrorCode() == nbiobsp::kNone;
    reader_->Device.Close(kAnyReader);
    if (!captured) {
        fail(kCaptureFailed);
        return false;
    }
    template_ = reader_->Extraction.TextEncodeFIR();
    return true;
}

void CaptureScreenLogic::enrol() {
    // The index is about to change (and the stored fingers with it): a kept one is read again
    // at the next opening, so that it holds the fingers as the tables do, in their order.
    if (services_.keptIndex != nullptr) {
        services_.keptIndex->invalidate();
    }
    const std::optional<qint64> userId = indexNumberOf(share_.sharedMatricula);
    if (!userId) {
        fail(kCaptureFailed); // no number to file the finger under
        return;
    }
    if (!capture()) {
        return;
    }
    nbiobsp::NBioIndexSearch& index = reader_->IndexSearch;
    index.AddFIR(template_, *userId);
    if (index.ErrorCode() == nbiobsp::kDuplicateUserId) {
        if (!replaceExisting(*userId)) {
            return;
        }
    } else if (index.ErrorCode() != nbiobsp::kNone) {
        fail(kCaptureFailed);
        return;
    }
    share_.sharedMatricula = tenDigits(*userId);
    share_.biometricMessage.clear();
    services_.processEvents();
    if (Grava_Digital()) {
        services_.aviso.AVISO(QStringLiteral("!"), QStringLiteral("Captura com sucesso!"),
                              QStringLiteral("Digital"));
    }
}

// The user ID holds a finger already: replaced on Yes; on No nothing is stored. True when the
// new finger is in the index.
bool CaptureScreenLogic::replaceExisting(qint64 userId) {
    nbiobsp::NBioIndexSearch& index = reader_->IndexSearch;
    const int answer = services_.aviso.AVISO(
        QStringLiteral("?"),
        QStringLiteral("Digital já capturada. Deseja atualizar esta digital?"));
    if (answer != store::Aviso::kYes) {
        share_.biometricMessage.clear();
        share_.sharedMatricula = tenDigits(userId);
        return false;
    }
    index.RemoveData(userId, 0, 0);
    if (index.ErrorCode() != nbiobsp::kNone) {
        fail(QStringLiteral("Digital não pode ser Atualizada!"));
        return false;
    }
    index.AddFIR(template_, userId);
    if (index.ErrorCode() != nbiobsp::kNone) {
        fail(kCaptureFailed);
        return false;
    }
    return true;
}

void CaptureScreenLogic::verify() {
    share_.biometricMode = 4;
    if (!capture()) {
        return;
    }
    const QString requested = share_.sharedMatricula;
    const std::optional<qint64> expected = indexNumberOf(requested);
    nbiobsp::NBioIndexSearch& index = reader_->IndexSearch;
    index.MaxSearchTime = kMaxSearchTime;
    index.IdentifyUser(template_, securityLevel_,
                       matriculaDigital_ == QLatin1String("Sim") ? expected : std::nullopt);
    const int code = index.ErrorCode();
    const bool logged =
        code == nbiobsp::kTooAlike || code == nbiobsp::kOutOfTime || code == nbiobsp::kSearchFailed;
    if (logged && services_.errorLog != nullptr) {
        services_.errorLog->record(index.ErrorDescription());
    }
    if (code == nbiobsp::kOutOfTime) {
        fail(QString::fromUtf16(kSearchOutOfTime));
        return;
    }
    if (code != nbiobsp::kNone) {
        fail(QStringLiteral("Digital não encontrada!"));
        return;
    }
    share_.sharedMatricula = tenDigits(index.UserID);
    share_.biometricMessage.clear();
    // Compared as numbers: an employee is requested as "91" + seven digits and identified as
    // "091" + the same seven.
    if (matriculaDigital_ == QLatin1String("Sim") &&
        services_.tec12OrBiometrics == QStringLiteral("Não") && expected != index.UserID) {
        fail(QStringLiteral("Digital não confere com Matrícula!"));
    }
}

bool CaptureScreenLogic::Grava_Digital() {
    namespace fingerprints = store::fingerprints;
    const fingerprints::FingerOwner owner =
        fingerprints::fingerOwnerOf(share_.sharedMatricula, share_.employeeKindPrefix);
    auto minutiae = minutiaeFromDigital(template_);
    store::Status written = minutiae.ok() ? services_.students.inTransaction([&] {
        return fingerprints::QRYGRAVADIGITAL(services_.students, owner, template_,
                                             personaText(minutiae.value()));
    })
                                          : store::Status(minutiae.error());
    if (written.ok()) {
        return true;
    }
    services_.aviso.AVISO(QStringLiteral("!"), QStringLiteral("Gravando na tabela !"), kBothTables);
    // The finger was not stored: the opener must not take the enrolment for a success.
    fail(QStringLiteral("Gravando na tabela !"));
    return false;
}

void CaptureScreenLogic::FormClose() {
    if (ownReader_) {
        ownReader_->IndexSearch.ClearDB();
        ownReader_.reset();
    } else if (reader_ != nullptr) {
        reader_->Extraction.FingerWnd = nullptr; // it draws into this screen
    }
    reader_ = nullptr;
    state_.closeRequested = true;
}

void runCaptureScreen(CaptureScreenLogic& logic) {
    logic.FormCreate();
    if (!logic.state().closeRequested) {
        logic.FormShow();
    }
    if (!logic.state().closeRequested) {
        logic.AtivaLeitor();
    }
    logic.FormClose();
}

} // namespace orvalen::biometrics
