#include "widgets/NameKeyFilter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

NameKey nameKeyFor(QChar typed)
{
    const char16_t c = typed.unicode();
    if (c >= u'a' && c <= u'z')
        return NameKey::Capitalise;
    if ((c >= u'A' && c <= u'Z') || c == u' ' || c == u'\b' || c == u'\r')
        return NameKey::Pass;
    return NameKey::Refuse;
}

JudgedName judgeNameText(const QString &arrived)
{
    JudgedName judged;
    judged.text.reserve(arrived.size());
    for (QChar c : arrived) {
        const NameKey key = c.isPrint() ? nameKeyFor(c) : NameKey::Refuse;
        if (key == NameKey::Refuse)
            judged.refused = true;
        else
            judged.text += key == NameKey::Capitalise ? c.toUpper() : c;
    }
    return judged;
}

namespace {

// Sees every change of the box's text, whatever brought it: a paste by any key or menu, a middle
// click, a drop, a screen reader's edit. The box's own typed keys arrive already judged.
class NameValidator final : public QValidator {
public:
    NameValidator(QLineEdit *box, std::function<void()> refused)
        : QValidator(box)
        , m_refused(std::move(refused))
    {
    }

    State validate(QString &input, int &position) const override
    {
        const JudgedName judged = judgeNameText(input);
        if (judged.refused) {
            position -= static_cast<int>(input.left(position).size() - judgeNameText(input.left(position)).text.size());
            // Told once the edit is over: the box is still in the middle of changing its text.
            QMetaObject::invokeMethod(parent(), m_refused, Qt::QueuedConnection);
        }
        input = judged.text;
        return Acceptable;
    }

private:
    std::function<void()> m_refused;
};

} // namespace

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
    box->setValidator(new NameValidator(box, m_refused));
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
    const JudgedName accepted = judgeNameText(event.commitString());
    QInputMethodEvent judged(event.preeditString(), event.attributes());
    judged.setCommitString(accepted.text, event.replacementStart(), event.replacementLength());
    m_judged = true;
    QCoreApplication::sendEvent(m_box, &judged);
    m_judged = false;
    if (accepted.refused)
        m_refused();
    return true;
}
