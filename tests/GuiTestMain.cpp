// The main of every widget test: one QApplication for the whole run, with the program's own
// accessible widgets as the program installs them, and a check after each test that no window was
// left open.
#include "widgets/Accessibility.h"

#include <QApplication>
#include <QFont>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class NoWindowLeftOpen : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo &info) override
    {
        int visible = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            visible += w->isVisible() ? 1 : 0;
        EXPECT_EQ(visible, 0) << "a window is still open after " << info.name();
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    installAccessibility();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new NoWindowLeftOpen);
    return RUN_ALL_TESTS();
}
