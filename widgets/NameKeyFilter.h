#pragma once
// The rule of the name boxes: letters are upper-cased as typed; Backspace, Enter and space pass;
// every other character a key types (digits, punctuation, accented letters, Escape, the control
// characters of Ctrl+V and Ctrl+C) is refused with one message. Keys that type nothing (arrows,
// Delete, Tab, Shift+Insert) pass untouched. Text that arrives any other way (composed with dead
// keys, Compose or an input method, pasted by Shift+Insert, the context menu or a middle click,
// dropped, or set by a screen reader) meets the same rule character by character: its letters
// are kept in capitals, its spaces kept, anything else left out, and one message tells of it.
// An insertion the rule changes is one step of Undo, as any paste is, and keeps the box's history.

#include "model/NameRule.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;

// The character a key press types, as a name box must judge it: Ctrl with a letter types that
// letter's control character (Ctrl+V is U+0016), Backspace U+0008, Enter U+000D, Escape U+001B.
// Nothing for a key that types nothing, and for Alt combinations (access keys). A character
// beyond the Basic Multilingual Plane is given as U+FFFD, which is refused like any non-letter.
std::optional<QChar> typedCharacter(const QKeyEvent &event);

// Filters every key typed into a line edit and judges everything else that changes its text;
// each refused key, and each insertion with anything refused, calls the refusal handler once,
// unless a refusal of any name box is being told already.
class NameKeyFilter final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NameKeyFilter)

public:
    NameKeyFilter(QLineEdit *box, std::function<void()> refused);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool filterComposed(const QInputMethodEvent &event);
    // Inserts the judged part of an edit the box took back, in its place (see NameKeyFilter.cpp).
    void insertJudged();
    void tellRefused();

    QLineEdit *m_box;
    bool m_judged = false; // while the judged text goes to the box
    std::optional<QString> m_takenBack; // the text of an edit the box took back, to insert judged
    std::function<void()> m_refused;
};
