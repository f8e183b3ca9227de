// Every control a user can reach carries a name a screen reader can speak.
#include "FormTestSupport.h"

#include "LinkLabel.h"
#include "AboutDialog.h"
#include "ReportDialog.h"
#include "TabStrip.h"

#include <QAccessible>

namespace {

QStringList Unnamed(QWidget *window)
{
    QStringList unnamed;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const bool reachable = w->focusPolicy() != Qt::NoFocus || qobject_cast<LinkLabel *>(w);
        if (!reachable || !w->isVisibleTo(window))
            continue;
        QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(w);
        const QString name = spoken ? spoken->text(QAccessible::Name).trimmed() : QString();
        if (name.isEmpty())
            unnamed << (w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName());
    }
    return unnamed;
}

using Accessibility = FormTest;

TEST_F(Accessibility, EveryReachableControlHasAName)
{
    EXPECT_EQ(Unnamed(form), QStringList{});
    Request("ann", "", "lee");
    ResultsWindow *v = viewer();
    for (int tab = 0; tab < 6; ++tab) {
        Child<TabStrip>(v, "resultTabs")->setCurrentIndex(tab);
        EXPECT_EQ(Unnamed(v), QStringList{}) << tab;
    }
    ReportDialog report(fake.services(), Reading{});
    report.show();
    EXPECT_EQ(Unnamed(&report), QStringList{});
    report.close();
    AboutDialog about(fake.services());
    about.show();
    EXPECT_EQ(Unnamed(&about), QStringList{});
    about.close();
}

} // namespace
