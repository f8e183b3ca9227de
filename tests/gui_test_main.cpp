// The main of every widget test: one QApplication for the whole run, and a check after each test
// that no window was left behind.
#include <QApplication>
#include <QFont>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class NoLeakedWindows : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo &info) override
    {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const auto left = QApplication::topLevelWidgets();
        int visible = 0;
        for (QWidget *w : left) {
            if (w->isVisible())
                ++visible;
        }
        EXPECT_EQ(visible, 0) << "a window is still open after " << info.name();
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new NoLeakedWindows);
    return RUN_ALL_TESTS();
}
