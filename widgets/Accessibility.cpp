#include "widgets/Accessibility.h"

#include "widgets/LinkLabel.h"
#include "widgets/TabStrip.h"

#include <QAccessibleWidget>
#include <QPointer>

#include <map>

namespace {

class AccessibleLink final : public QAccessibleWidget {
public:
    explicit AccessibleLink(LinkLabel *label)
        : QAccessibleWidget(label, QAccessible::Link)
    {
        addControllingSignal(QStringLiteral("clicked()"));
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const QString name = widget()->accessibleName();
            return name.isEmpty() ? static_cast<const QLabel *>(widget())->text() : name;
        }
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            emit static_cast<LinkLabel *>(widget())->clicked();
    }
};

// One tab of a tab strip: selected when it is the current one, focused when it is and the strip
// has the keyboard focus. Pressing it makes it current.
class AccessiblePageTab final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessiblePageTab(TabStrip *strip, int index)
        : m_strip(strip)
        , m_index(index)
    {
    }

    bool isValid() const override { return m_strip && m_index < m_strip->count(); }
    QObject *object() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::PageTab; }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.invisible = !m_strip->isVisible();
        s.disabled = !m_strip->isTabEnabled(m_index);
        s.focusable = true;
        s.selectable = true;
        s.selected = m_index == m_strip->currentIndex();
        s.focused = s.selected && m_strip->hasFocus();
        return s;
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect tab = m_strip->tabRect(m_index);
        return {m_strip->mapToGlobal(tab.topLeft()), tab.size()};
    }

    QString text(QAccessible::Text t) const override
    {
        return isValid() && t == QAccessible::Name ? m_strip->tabText(m_index) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}

    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_strip.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (isValid() && action == pressAction())
            m_strip->setCurrentIndex(m_index);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

    int index() const { return m_index; }

private:
    QPointer<TabStrip> m_strip;
    int m_index;
};

// The strip as a list of page tabs, named by its accessible name whatever tab is current.
class AccessibleTabStrip final : public QAccessibleWidget {
public:
    explicit AccessibleTabStrip(TabStrip *strip)
        : QAccessibleWidget(strip, QAccessible::PageTabList)
    {
    }
    ~AccessibleTabStrip() override
    {
        for (const auto &[index, id] : m_tabs)
            QAccessible::deleteAccessibleInterface(id);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        // While the strip has the focus it lies with its current tab, not with the strip as well.
        s.focused = false;
        return s;
    }

    int childCount() const override { return strip()->count(); }

    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= strip()->count())
            return nullptr;
        if (const auto known = m_tabs.find(index); known != m_tabs.end())
            return QAccessible::accessibleInterface(known->second);
        auto *tab = new AccessiblePageTab(strip(), index);
        m_tabs[index] = QAccessible::registerAccessibleInterface(tab);
        return tab;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child || child->role() != QAccessible::PageTab || child->parent() != this)
            return -1;
        return static_cast<const AccessiblePageTab *>(child)->index();
    }

    QAccessibleInterface *focusChild() const override
    {
        return strip()->hasFocus() ? child(strip()->currentIndex()) : nullptr;
    }

private:
    TabStrip *strip() const { return static_cast<TabStrip *>(widget()); }

    mutable std::map<int, QAccessible::Id> m_tabs;
};

QAccessibleInterface *programWidgets(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("LinkLabel"))
        return new AccessibleLink(static_cast<LinkLabel *>(object));
    if (className == QLatin1String("TabStrip"))
        return new AccessibleTabStrip(static_cast<TabStrip *>(object));
    return nullptr;
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(programWidgets);
}
