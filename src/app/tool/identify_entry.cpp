#include "app/tool/identify_entry.h"

#include "desk/screen_typing.h"

namespace orvalen::tool {

std::optional<UnidentifiedEntry> typeForIdentification(terminal::TerminalScreen& screen,
                                                       const QString& text, bool nameMode) {
    if (!desk::typeAtKeyboard(screen, text, nameMode)) {
        return UnidentifiedEntry{
            1, QStringLiteral("the terminal opened no keyboard entry for '%1': this club's "
                              "members identify at a reader (Sacvar.PINPAD is not \"NADA\") or "
                              "by finger; nobody was identified")
                   .arg(text)};
    }
    // The name as given, case aside, as the list's search; accents count, so "Simões" is not
    // "Simone" (the entry itself drops the letters it has no key for).
    terminal::StudentList& students = screen.students();
    if (nameMode &&
        (!students.hasCurrent() || !students.currentNome().startsWith(text, Qt::CaseInsensitive))) {
        return UnidentifiedEntry{
            2, QStringLiteral("no active member's name begins with '%1' (names match from their "
                              "first letter, case aside, accents counting); nobody was "
                              "identified")
                   .arg(text)};
    }
    if (screen.state().EDTMATRICULA.text.isEmpty()) {
        return UnidentifiedEntry{
            1, QStringLiteral("the terminal's number entry kept no character of '%1', so Enter "
                              "does nothing; a name goes with --name, a fingerprint picture "
                              "with --finger")
                   .arg(text)};
    }
    return std::nullopt;
}

} // namespace orvalen::tool
