#pragma once
// The key filter of the name boxes: letters are upper-cased as typed; Backspace, Enter and space
// pass; every other character a key types (digits, punctuation, accented letters, Escape, the
// control characters of Ctrl+V and Ctrl+C) is refused with one message. Keys that type nothing
// (arrows, Delete, Tab, Shift+Insert) pass untouched, and a paste through the context menu or
// Shift+Insert is not filtered: only what is typed is. Text composed with dead keys, Compose or an
// input method is judged character by character, exactly as typed characters are.

#include <QChar>
#include <QObject>

#include <functional>
#include <optional>

class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;

// What a name box does with one typed character.
enum class NameKey {
    Pass,       // let the box handle it as it stands
    Capitalise, // type its capital instead
    Refuse,     // type nothing and tell the user
};

NameKey nameKeyFor(QChar typed);

// The character a key press types, as a name box must judge it: Ctrl with a letter types that
// letter's control character (Ctrl+V is U+0016), Backspace U+0008, Enter U+000D, Escape U+001B.
// Nothing for a key that types nothing, and for Alt combinations (access keys). A character
// beyond the Basic Multilingual Plane is given as U+FFFD, which is refused like any non-letter.
std::optional<QChar> typedCharacter(const QKeyEvent &event);

// Filters every key typed into a line edit; refused keys call the refusal handler.
class NameKeyFilter final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NameKeyFilter)

public:
    NameKeyFilter(QLineEdit *box, std::function<void()> refused);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool filterComposed(const QInputMethodEvent &event);

    QLineEdit *m_box;
    bool m_judged = false; // while the judged text goes to the box
    std::function<void()> m_refused;
};
