#pragma once

#include "biometrics/finger_image.h"
#include "biometrics/fingerprint_engine.h"
#include "store/result.h"

#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace orvalen::biometrics::nbiobsp {

// ErrorCode values. 0 and 1287 are the ones the screens test; the others tell the installer
// what went wrong (ErrorDescription()).
enum ErrorCode : int {
    kNone = 0,
    kLibraryUnavailable = 0x0101, // the fingerprint library could not start
    kDeviceNotFound = 0x0102,     // no reader that delivers images
    kDeviceNotOpen = 0x0103,
    kCaptureFailed = 0x0201,   // no finger within the capture time, or the reader failed
    kWeakCapture = 0x0202,     // fewer minutiae than kMinimumMinutiae
    kForeignTemplate = 0x0301, // written by another platform's reader software
    kDamagedTemplate = 0x0302,
    kUnknownProbe = 0x0303, // IdentifyUser with a text that no capture of this object gave
    kDuplicateUserId = 1287,
    kUserIdNotFound = 0x0401,
    kNotIdentified = 0x0402, // no stored finger matches
    kSearchFailed = 0x0403,  // the matcher failed
    kTooAlike = 0x0404,      // two different stored fingers match too alike to tell apart
    kOutOfTime = 0x0405,     // the search took longer than MaxSearchTime
};

struct Session;

// The last outcome of a part's calls, with its text for the installer.
class ErrorState {
public:
    int ErrorCode() const { return code_; }
    QString ErrorDescription() const { return text_; }

protected:
    void succeed() {
        code_ = kNone;
        text_.clear();
    }
    void fail(int code, QString text) {
        code_ = code;
        text_ = std::move(text);
    }

private:
    int code_ = kNone;
    QString text_;
};

class NBioDevice : public ErrorState {
public:
    explicit NBioDevice(std::shared_ptr<Session> session) : session_(std::move(session)) {}
    // 255 means any reader: the first one that delivers images is opened.
    void Open(int deviceId);
    void Close(int deviceId);
    // True while a finger captured on the open reader waits to be taken by Capture().
    bool CheckFinger();

private:
    std::shared_ptr<Session> session_;
};

class NBioExtraction : public ErrorState {
public:
    explicit NBioExtraction(std::shared_ptr<Session> session) : session_(std::move(session)) {}

    int WindowStyle = 0;
    QString FPForeColor = QStringLiteral("000000"); // ridges, as RRGGBB
    QString FPBackColor = QStringLiteral("FFFFFF"); // background
    // Where the capture picture is drawn, on the caller's thread, in the colours above.
    std::function<void(const QImage&)> FingerWnd;
    // How long Capture() waits for a finger, in milliseconds.
    int CaptureTimeout = 10000;

    // Takes the finger on the reader (or waits for one), draws it and extracts its template.
    // The purpose (1, enrolment and verification alike) changes nothing here.
    void Capture(int purpose);
    // The template of the last successful capture, in the text form DIGITAL stores.
    QString TextEncodeFIR() const { return fir_; }

private:
    QImage picture(const FingerImage& image) const;

    std::shared_ptr<Session> session_;
    QString fir_;
};

class NBioIndexSearch : public ErrorState {
public:
    explicit NBioIndexSearch(std::shared_ptr<Session> session);

    int MaxSearchTime = 3000; // milliseconds
    qint64 UserID = 0;        // the number IdentifyUser found

    // Adds a stored template under a number; a number can hold one finger (kDuplicateUserId).
    void AddFIR(const QString& text, qint64 userId);
    void RemoveData(qint64 userId, int fingerId, int sampleNumber);
    void ClearDB();
    // Searches the index for the finger of a capture of this object (its TextEncodeFIR()):
    // the best of the stored fingers the matcher accepts, at the minimum the security level
    // sets (see minimumScoreForLevel()). A number the caller expects (number then finger) is
    // compared first, so its finger answers at once.
    void IdentifyUser(const QString& text, int securityLevel,
                      std::optional<qint64> expected = std::nullopt);

private:
    std::shared_ptr<Session> session_;
    std::unique_ptr<FingerprintEngine::Gallery> gallery_;
};

// The reader object with its three parts. Without an engine (the library could not start)
// every call fails with kLibraryUnavailable, and IndexSearch reports it at once.
class NBioBSP {
public:
    explicit NBioBSP(store::Result<std::shared_ptr<FingerprintEngine>> engine);

    std::shared_ptr<Session> session;
    NBioDevice Device;
    NBioExtraction Extraction;
    NBioIndexSearch IndexSearch;
};

} // namespace orvalen::biometrics::nbiobsp
