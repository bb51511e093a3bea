#pragma once

#include "store/result.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace orvalen::biometrics {

// One ridge ending or bifurcation as the matcher compares them: position in pixels and
// direction in degrees.
struct Minutia {
    int x = 0;
    int y = 0;
    int theta = 0;
    bool operator==(const Minutia&) const = default;
};

using Minutiae = std::vector<Minutia>;

// A capture with fewer minutiae than this is refused at enrolment. The matcher accepts a
// finger at a score of 40, reached from roughly a dozen minutiae that agree with the stored
// ones; a second presentation overlaps the first only in part, so a finger stored with fewer
// than 20 cannot be found again reliably, and a weak template matches strangers more easily.
// Real captures of this reader class carry 30 to 90.
inline constexpr int kMinimumMinutiae = 20;

// The matcher reads at most this many minutiae of a print; a template keeps no more.
inline constexpr int kMaximumMinutiae = 150;

// The fingerprint templates this terminal writes, in the two columns the club's readers use:
// DIGITAL (text up to 1000) holds "OFT1" followed by the base64 of the packed minutiae (at
// most 808 characters); Digital_Persona holds the same payload as characters whose code minus
// 48 gives one byte each, all of them plain ASCII. A template of any other form was written by
// another platform's reader software: it is foreign and cannot be matched here.
QString digitalText(const Minutiae& minutiae);
QString personaText(const Minutiae& minutiae);

// No reader's template is longer than this many characters (the DigitalPersona template buffer
// holds 2512 bytes, ours at most 808): a longer value is refused when the fingers are loaded,
// so that one runaway value cannot fill the terminal's memory with copies of itself.
inline constexpr int kLargestTemplateText = 2512;
inline bool oversized(const QString& text) {
    return text.size() > kLargestTemplateText;
}

enum class TemplateForm { Ours, Foreign, Empty };
TemplateForm digitalForm(const QString& text);

store::Result<Minutiae> minutiaeFromDigital(const QString& text);
// Bytes as the terminal decodes Digital_Persona (character code minus 48, low 8 bits); bytes
// after the template are ignored, since the terminal's buffer keeps those of earlier rows.
store::Result<Minutiae> minutiaeFromPersonaBytes(const QByteArray& bytes);
QByteArray personaBytes(const QString& text);

} // namespace orvalen::biometrics
