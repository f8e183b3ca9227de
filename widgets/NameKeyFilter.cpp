#include "widgets/NameKeyFilter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QValidator>

#include <utility>

namespace {

// Sees every change of the box's text, whatever brought it: a paste by any key or menu, a middle
// click, a drop, a screen reader's edit. The box's own typed keys arrive already judged.
//
// Qt 6.4's QLineEdit drops its whole undo history when its validator rewrites an edit
// (QWidgetLineControl::internalSetText): an edit the rule would change is refused instead, which
// the box takes back with its history intact, and the judged text is inserted as an edit of its
// own. A text that is set (setText, which keeps no history, or Qt's accessible line edit asking
// before it sets one) is rewritten in place.
class NameValidator final : public QValidator {
public:
    NameValidator(QLineEdit *box, std::function<void(const QString &)> takeBack, std::function<void()> refused)
        : QValidator(box)
        , m_box(box)
        , m_takeBack(std::move(takeBack))
        , m_refused(std::move(refused))
    {
    }

    State validate(QString &input, int &position) const override
    {
        const JudgedName judged = judgeNameText(input);
        if (judged.text == input)
            return Acceptable;
        // While the box edits, the text it validates is its own, and its history holds the edit.
        if (input == m_box->text() && m_box->isUndoAvailable()) {
            m_takeBack(input);
            return Invalid;
        }
        position -= static_cast<int>(input.left(position).size() - judgeNameText(input.left(position)).text.size());
        input = judged.text;
        if (judged.refused) // told once the box has its text
            QMetaObject::invokeMethod(m_box, m_refused, Qt::QueuedConnection);
        return Acceptable;
    }

private:
    QLineEdit *m_box;
    std::function<void(const QString &)> m_takeBack;
    std::function<void()> m_refused;
};

// Qt's line edit starts a new step of Undo where its cursor moves, and where clear() finds nothing
// to remove: an insertion made between two calls stands apart from the typing around it, as Qt's
// own paste does (test_input_window fails when the steps run together).
void startUndoStep(QLineEdit *box)
{
    const int at = box->cursorPosition();
    if (box->text().isEmpty()) {
        box->clear();
        return;
    }
    box->setCursorPosition(at == 0 ? 1 : 0);
    box->setCursorPosition(at);
}

// One refusal is told at a time, whichever box refused.
bool g_tellingRefusal = false;

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
    const auto takeBack = [this](const QString &edited) {
        m_takenBack = edited;
        QMetaObject::invokeMethod(this, &NameKeyFilter::insertJudged, Qt::QueuedConnection);
    };
    box->setValidator(new NameValidator(box, takeBack, [this] { tellRefused(); }));
    // A text set anew before the judged insertion is made leaves the insertion out of date.
    connect(box, &QLineEdit::textChanged, this, [this] { m_takenBack.reset(); });
}

bool NameKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_box)
        return false;
    // Whatever the user does next (a key typed or a button clicked at once after a paste) follows
    // the judged insertion.
    const QEvent::Type type = event->type();
    if (m_takenBack
        && (dynamic_cast<QInputEvent *>(event) || type == QEvent::InputMethod || type == QEvent::Drop
            || type == QEvent::FocusOut))
        insertJudged();
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
        tellRefused();
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
        tellRefused();
    return true;
}

void NameKeyFilter::insertJudged()
{
    if (!m_takenBack)
        return;
    const QString edited = *std::exchange(m_takenBack, std::nullopt);
    // The box holds its text from before the edit again: the edit replaced what lies between the
    // parts both texts share at either end.
    const QString before = m_box->text();
    qsizetype start = 0;
    while (start < before.size() && start < edited.size() && before[start] == edited[start])
        ++start;
    qsizetype end = 0;
    while (end < before.size() - start && end < edited.size() - start
           && before[before.size() - 1 - end] == edited[edited.size() - 1 - end])
        ++end;
    const JudgedName judged = judgeNameText(edited.mid(start, edited.size() - end - start));
    startUndoStep(m_box);
    m_box->setSelection(static_cast<int>(start), static_cast<int>(before.size() - end - start));
    m_box->insert(judged.text);
    startUndoStep(m_box);
    if (judged.refused)
        tellRefused();
}

void NameKeyFilter::tellRefused()
{
    // Refusals that come while one is being told (a screen reader's quick edits, a key held down)
    // open no box over it.
    if (g_tellingRefusal)
        return;
    const QScopedValueRollback<bool> telling(g_tellingRefusal, true);
    m_refused();
}
