#pragma once
// The key filter of the name boxes. It works on the character codes a classic per-key handler
// sees: letters are upper-cased as typed; Backspace, Enter and space pass; every other code that
// a key produces (digits, punctuation, accented letters, the control codes of Ctrl+V, Ctrl+C and
// Escape) is refused. Keys that produce no character (arrows, Delete, Tab, Shift+Insert) never
// reach the filter, and neither does a paste through the context menu.

#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>

class QKeyEvent;
class QLineEdit;

// The character code a key press produces, or nothing for a key that produces no character.
std::optional<int> ClassicCharCode(const QKeyEvent &event);

struct FilteredKey {
    std::int16_t code; // the code to enter; 0 when the key is discarded
    bool refused;      // the key is not allowed in a name
};

// The rule itself: a lower-case letter becomes its capital; capitals, Backspace (8), Enter (13)
// and space (32) pass; anything else is refused.
FilteredKey FilterNameKey(std::int16_t keyAscii);

// Feeds every character typed into a line edit to a per-key handler, which may replace the code
// or discard the key by setting it to 0.
class KeyPressHook final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeyPressHook)

public:
    using Handler = std::function<void(std::int16_t &keyAscii)>;
    KeyPressHook(QLineEdit *box, Handler handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_box;
    Handler m_handler;
};
