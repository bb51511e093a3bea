#pragma once

#include <QString>
#include <QStringList>

namespace orvalen::terminal {

// The values that outlive one showing of the terminal screen and that the login and the
// fingerprint screens share with it. One copy per running program, passed by reference.
struct TerminalUnit {
    // Terminal-unit values.
    QString currentMatricula;   // current enrollment number, at most 10 characters
    bool photoFollow = false;   // a move of the student cursor shows that student's photo
    bool captureRunning = true; // the DigitalPersona capture is started
    bool readerOpen = true;     // the NBioBSP device is open
    QStringList accessPointCodes;

    // Application-wide values.
    QString sharedMatricula;    // exchanged with the fingerprint screen
    QString employeeKindPrefix; // "00" or "91"
    int biometricMode = 0;      // 0 idle, 1 capture, 2 verification, 3 verified, 4 by the screen
    QString biometricMessage;
    QString biometricSwitch = QStringLiteral("Não"); // copy of Sacvar2.LEITOR_BIOMETRICO
    bool biometricFailure = false;
    QString operatorCode;   // set at login
    bool cashOpen = false;  // set at login: a cash period is open
    bool cashToday = false; // set at login: and it is not left over from an earlier day
};

} // namespace orvalen::terminal
