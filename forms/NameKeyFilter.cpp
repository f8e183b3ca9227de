#include "NameKeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>

std::optional<int> ClassicCharCode(const QKeyEvent &event)
{
    const int key = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers();
    // Alt combinations are access keys, never characters.
    if (mods & Qt::AltModifier)
        return std::nullopt;
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Insert:
        return std::nullopt;
    default:
        break;
    }
    if ((mods & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    const char32_t first = text.toUcs4().value(0);
    if (first == 127)
        return std::nullopt;
    return static_cast<int>(first);
}

FilteredKey FilterNameKey(std::int16_t keyAscii)
{
    if (keyAscii == 8 || keyAscii == 13 || keyAscii == 32)
        return {keyAscii, false};
    if (keyAscii >= 97 && keyAscii <= 122)
        return {static_cast<std::int16_t>(keyAscii - 32), false};
    if (keyAscii >= 65 && keyAscii <= 90)
        return {keyAscii, false};
    return {0, true};
}

KeyPressHook::KeyPressHook(QLineEdit *box, Handler handler)
    : QObject(box)
    , m_box(box)
    , m_handler(std::move(handler))
{
    box->installEventFilter(this);
}

bool KeyPressHook::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_box || event->type() != QEvent::KeyPress)
        return false;
    const auto &key = *static_cast<QKeyEvent *>(event);
    const auto code = ClassicCharCode(key);
    if (!code) {
        // An Alt combination that is no access key types nothing into a name.
        return (key.modifiers() & Qt::AltModifier) && !(key.modifiers() & Qt::ControlModifier)
            && !key.text().isEmpty() && key.text().at(0).isPrint();
    }
    // Codes beyond 16 bits (characters outside the Basic Multilingual Plane) are never letters.
    const int original = *code;
    std::int16_t keyAscii = original > 32767 ? std::int16_t{-1} : static_cast<std::int16_t>(original);
    m_handler(keyAscii);
    if (keyAscii == 0)
        return true;
    if (keyAscii == original)
        return false;
    m_box->insert(QString(QChar(static_cast<char16_t>(keyAscii))));
    return true;
}
