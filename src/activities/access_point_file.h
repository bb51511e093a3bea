#pragma once

#include "store/result.h"

#include <QString>
#include <QStringList>

namespace orvalen::activities {

// Acesso.txt: the activity codes this access point admits, kept beside the executable
// (on Linux: in the data-link folder).
inline constexpr auto kAccessPointFileName = "Acesso.txt";

// The terminal keeps at most this many pieces (100 codes and the closing line break).
inline constexpr int kAccessPointSlots = 101;

// No limit on the pieces read (the activity dialog must see every code it will rewrite).
inline constexpr int kAllPieces = -1;

// Cuts a text into consecutive two-character pieces from its first character on; a line
// break is a piece like any other, and an odd last character forms a one-character piece.
// At most `limit` pieces are kept (kAllPieces: all of them).
QStringList accessPointPieces(const QString& text, int limit = kAllPieces);

// The file's bytes as text: 8-bit, or by its byte-order mark when it has one (the mark
// dropped); LF, CR and CR LF line ends all read as CR LF.
QString accessPointText(const QByteArray& bytes);

// What to do with an empty Acesso.txt: the terminal and the dialog delete it (it counts as
// absent); a check that must change nothing leaves it.
enum class EmptyFile { Delete, Keep };

// Reads the codes in file order as two-character pieces; a missing or empty file gives
// an empty list (no filter). Pieces beyond `limit` are dropped: a file edited by hand to hold
// more than the terminal's slots admits the first kAccessPointSlots pieces and ignores the
// rest instead of writing past the list. A file that is there but cannot be read (a folder,
// a FIFO or a device in its place, no permission, too large) is an error naming it, never
// an empty list: the caller must not take it for "no filter".
store::Result<QStringList> readAccessPointCodes(const QString& file, int limit = kAccessPointSlots,
                                                EmptyFile empty = EmptyFile::Delete);

// Writes the codes in list order as one line (blanks at either end removed, CR LF after
// it); an empty list deletes the file (no filter).
store::Status writeAccessPointCodes(const QString& file, const QStringList& codes);

} // namespace orvalen::activities
