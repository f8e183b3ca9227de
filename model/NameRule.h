#pragma once
// The rule of a name, wherever it comes from (typed into a name box, pasted or dropped there, or
// given on the command line or in a file of people): letters A to Z and spaces; a to z are taken
// as their capitals; every other character is refused.

#include <QChar>
#include <QString>
#include <QStringView>

// What a name does with one typed character.
enum class NameKey {
    Pass,       // let it stand (a capital, a space, or Backspace and Enter, which edit the box)
    Capitalise, // take its capital instead
    Refuse,     // take nothing and tell the user
};

NameKey nameKeyFor(QChar typed);

// Text that arrives whole (a paste, a drop, a composition, an argument) judged by the same rule,
// into kept, whose memory is used again: its letters in capitals and its spaces. Control
// characters (a line break in a paste) are refused too: only a key press edits with them. The
// position of the first character refused, or -1 when none is.
qsizetype judgeNameText(QStringView arrived, QString &kept);

// The same, as one value: what is kept, and whether anything was refused.
struct JudgedName {
    QString text;
    bool refused = false;
};
JudgedName judgeNameText(QStringView arrived);
