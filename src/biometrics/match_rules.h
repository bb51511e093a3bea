#pragma once

namespace orvalen::biometrics {

// The club's security level (Sacvar2.NIVAL_SEGURANCA_BIO): 1 accepts the most fingers, 9 the
// fewest. None set (0 or below) means the middle level; above 9 means 9.
constexpr int kLowestSecurityLevel = 1;
constexpr int kHighestSecurityLevel = 9;
constexpr int kDefaultSecurityLevel = 5;

// The minutiae a presented finger must line up with a stored print (see AlignmentProbe), besides
// the library matcher's acceptance, before its owner is named: 15 + 3 x level, so 18 at level 1,
// 30 at level 5 and 42 at level 9. A finger seen in a mirror reaches 31 against the sample
// fingers, and the library's matcher accepts some at 28 and 29 against the dense arch print;
// another real finger reaches 35, an invented one with a ridge flow 32. A finger placed again
// scores 26 to 68 (half of them 42 or more), fewer the further it is turned.
int minimumScoreForLevel(int level);

// Two different fingers both accepted are told apart only when the better lines up this many
// minutiae more: the same finger presented again in the same way (harder, lighter, on a noisy
// sensor) varies by up to 8, so a rival within 10 could come out ahead on the next try.
constexpr int kRivalMargin = 10;

// Two stored prints lining up this many minutiae are the same finger enrolled twice (a student
// row and an employee row): different fingers reach 35 at most.
constexpr int kSameFingerScore = 40;

// What the operator sees when a search ran out of time: unlike "Digital não encontrada!", the
// finger may well be on file, and placing it again is worth it.
inline constexpr char16_t kSearchOutOfTime[] = u"Busca demorou: coloque o dedo de novo!";

} // namespace orvalen::biometrics
