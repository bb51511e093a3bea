#pragma once

#include "biometrics/fingerprint_engine.h"
#include "biometrics/kept_finger_index.h"
#include "biometrics/nbiobsp.h"
#include "store/aviso.h"
#include "store/connection.h"
#include "store/error_log.h"
#include "store/result.h"

#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace orvalen::biometrics {

// The values the capture screen exchanges with its opener (the terminal's shared values).
struct BiometricShare {
    int biometricMode = 0;      // 1 enrolment; any other value verification (4 once started)
    QString sharedMatricula;    // in: whose finger; out: the number enrolled or identified
    QString employeeKindPrefix; // "00" or "91", for the header of an employee
    QString biometricMessage;   // out: empty on success, else why it failed
    bool biometricFailure = false;
};

// What the capture screen shows, named after its controls.
struct CaptureScreenState {
    QString caption;
    QString GBTITULO;
    bool GBTITULOVisible = true;
    QString LBLMATRICULA;
    QString LBLNOME;
    bool staticFpWndRaised = false; // verification: the capture window moves up to 50 pixels
    QImage picture;                 // the last capture, drawn in staticFpWnd
    bool closeRequested = false;
};

// What the screen works with. `students` is the branch's connection while another branch is
// chosen (`branchInUse`); settings, Funcionarios and the employees' fingers stay on `club`.
struct CaptureScreenServices {
    const store::ClubConnection& club;
    const store::ClubConnection& students;
    bool branchInUse = false;
    store::Aviso& aviso;
    std::function<void()> processEvents;
    store::Result<std::shared_ptr<FingerprintEngine>> engine;
    QString tec12OrBiometrics;  // the terminal's Sacvar2.Tec12ouBiometria
    int captureTimeout = 10000; // how long a capture waits for the finger, in milliseconds
    // The reader and index kept between openings; none: the screen loads an index of its own.
    KeptFingerIndex* keptIndex = nullptr;
    // Where stored rows the index had to leave out are told; none: nowhere.
    store::ErrorLog* errorLog = nullptr;
};

// The fingerprint screen TFRMCAPTURABIOMETRIA without its window: one enrolment or one
// verification over the NBioBSP reader, its index loaded from the stored fingers. A window (or
// runCaptureScreen()) calls FormCreate, FormShow and AtivaLeitor in turn while the screen is
// not asked to close, and FormClose at the end.
class CaptureScreenLogic {
public:
    CaptureScreenLogic(CaptureScreenServices services, BiometricShare& share);

    const CaptureScreenState& state() const { return state_; }

    void FormCreate();
    void FormShow();
    void AtivaLeitor();
    bool Grava_Digital();
    void FormClose();

private:
    void enrol();
    void verify();
    // Open, capture and close; false when one of them failed (the screen closes).
    bool capture();
    void fail(const QString& message);
    void tableFailure(const QString& detail);
    void showHeader();
    bool replaceExisting(qint64 userId);

    CaptureScreenServices services_;
    BiometricShare& share_;
    CaptureScreenState state_;
    std::unique_ptr<nbiobsp::NBioBSP> ownReader_;
    nbiobsp::NBioBSP* reader_ = nullptr; // the kept one or ownReader_
    int securityLevel_ = 0;
    QString matriculaDigital_;
    QString template_;
};

// Runs the screen without a window: creation, showing, the capture, closing.
void runCaptureScreen(CaptureScreenLogic& logic);

} // namespace orvalen::biometrics
