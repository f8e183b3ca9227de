#include "widgets/NameKeyFilter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

NameKey nameKeyFor(QChar typed)
{
    const char16_t c = typed.unicode();
    if (c >= u'a' && c <= u'z')
        return NameKey::Capitalise;
    if ((c >= u'A' && c <= u'Z') || c == u' ' || c == u'\b' || c == u'\r')
        return NameKey::Pass;
    return NameKey::Refuse;
}

std::optional<QChar> typedCharacter(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & Qt::AltModifier)
        return std::nullopt;
    switch (event.key()) {
    case Qt::Key_Backspace: return QChar(u'\b');
    case Qt::Key_Return:
    case Qt::Key_Enter: return QChar(u'\r');
    case Qt::Key_Escape: return QChar(u'\x1b');
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Insert: return std::nullopt;
    default: break;
    }
    // On X11 Ctrl+V arrives with text "\x16", from QTest with text "v": both are the paste key.
    if ((modifiers & Qt::ControlModifier) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return QChar(static_cast<char16_t>(event.key() - Qt::Key_A + 1));
    const QString text = event.text();
    if (text.isEmpty() || text.front() == QChar(u'\x7f'))
        return std::nullopt;
    if (text.front().isHighSurrogate())
        return QChar(QChar::ReplacementCharacter);
    return text.front();
}

NameKeyFilter::NameKeyFilter(QLineEdit *box, std::function<void()> refused)
    : QObject(box)
    , m_box(box)
    , m_refused(std::move(refused))
{
    box->installEventFilter(this);
}

bool NameKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_box)
        return false;
    if (event->type() == QEvent::InputMethod)
        return filterComposed(*static_cast<QInputMethodEvent *>(event));
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto &key = *static_cast<QKeyEvent *>(event);
    const std::optional<QChar> typed = typedCharacter(key);
    if (!typed) {
        // An Alt combination that is no access key types nothing into a name.
        return (key.modifiers() & Qt::AltModifier) && !(key.modifiers() & Qt::ControlModifier)
            && !key.text().isEmpty() && key.text().front().isPrint();
    }
    switch (nameKeyFor(*typed)) {
    case NameKey::Pass:
        return false;
    case NameKey::Capitalise:
        m_box->insert(typed->toUpper());
        return true;
    case NameKey::Refuse:
        m_refused();
        return true;
    }
    return true;
}

bool NameKeyFilter::filterComposed(const QInputMethodEvent &event)
{
    // A composition still in progress shows as it is; what it commits is judged character by
    // character, as if each had been typed.
    if (event.commitString().isEmpty() || m_judged)
        return false;
    QString accepted;
    int refused = 0;
    for (QChar c : event.commitString()) {
        switch (nameKeyFor(c)) {
        case NameKey::Pass: accepted += c; break;
        case NameKey::Capitalise: accepted += c.toUpper(); break;
        case NameKey::Refuse: ++refused; break;
        }
    }
    QInputMethodEvent judged(event.preeditString(), event.attributes());
    judged.setCommitString(accepted, event.replacementStart(), event.replacementLength());
    m_judged = true;
    QCoreApplication::sendEvent(m_box, &judged);
    m_judged = false;
    for (int i = 0; i < refused; ++i)
        m_refused();
    return true;
}
