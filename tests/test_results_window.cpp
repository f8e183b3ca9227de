#include "ApplicationFixture.h"

#include "app/CommandLine.h"
#include "app/ReadingFormats.h"
#include "engine/InterpretationTexts.h"
#include "model/WebPages.h"
#include "report/ReportDialog.h"
#include "widgets/LinkLabel.h"
#include "widgets/TabStrip.h"

#include <QAccessible>
#include <QClipboard>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QTimer>

using namespace numerology;

namespace {

// A text of the catalogue as a description box shows it: its CR LF a line break.
QString Shown(std::optional<std::string_view> text)
{
    return QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())).replace("\r\n", "\n");
}

using Viewer = ApplicationTest;

TEST_F(Viewer, ARequestFillsTheSixBoxesAndShowsTheLuckyNumberView)
{
    Request("john", "", "smith", "1", "January", "2000", "10");
    ResultsWindow *v = viewer();
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->isVisible());
    EXPECT_FALSE(form->isVisible());
    Interpretation numbers;
    numbers.moneyNumber = numbers.secondHealthIndication = 5;
    numbers.firstHealthIndication = numbers.firstHealthInfluence = 12;
    const InterpretationTexts texts = describeInterpretation(numbers);
    EXPECT_EQ(Child<DescriptionBox>(v, "luckyNumberBox")->toPlainText(), Shown(texts.luckyNumberText));
    EXPECT_EQ(Child<DescriptionBox>(v, "luckyColorBox")->toPlainText(), Shown(texts.luckyColorText));
    EXPECT_EQ(Child<DescriptionBox>(v, "moneyNumberBox")->toPlainText(), Shown(texts.moneyText));
    EXPECT_EQ(Child<DescriptionBox>(v, "firstHealthIndicationBox")->toPlainText(), Shown(texts.firstHealthIndicationText));
    EXPECT_EQ(Child<DescriptionBox>(v, "firstHealthInfluenceBox")->toPlainText(), Shown(texts.firstHealthInfluenceText));
    EXPECT_EQ(Child<DescriptionBox>(v, "secondHealthIndicationBox")->toPlainText(), Shown(texts.secondHealthIndicationText));
    EXPECT_EQ(Child<QLabel>(v, "captionLabel")->text(), "Lucky Number is  1");
    EXPECT_EQ(Child<TabStrip>(v, "resultTabs")->currentIndex(), 0);
    for (DescriptionBox *box : Boxes(v))
        EXPECT_EQ(box->isVisible(), box == Child<DescriptionBox>(v, "luckyNumberBox")) << box->objectName().toStdString();
    EXPECT_EQ(app->reading().interpretation.moneyNumber, 5);
    EXPECT_EQ(v->windowTitle(), "Larkspire v1.45");
    EXPECT_EQ(v->windowRole(), ShownRole("resultsWindow"));
    EXPECT_EQ(v->centralWidget()->size(), QSize(522, 348));
}

TEST_F(Viewer, TabsSwitchTheBoxAndTheCaption)
{
    Request("john", "", "smith", "1", "January", "2000", "10");
    ResultsWindow *v = viewer();
    const QStringList captions{"Lucky Number is  1",
                               "Lucky Color is  Dazzling White",
                               "Money Number is  5",
                               "First Health Indication Number is  12",
                               "First Health Influence Number is  12",
                               "Second Health Indication Number is  5"};
    const QStringList tabs{"Lucky Number", "Lucky Color", "Money Number", "First Health Indication",
                           "First Health Influence", "Second Health Indication"};
    // The command line's JSON of the same reading says what the window shows.
    const QStringList words{"larkspire", "--first", "john", "--last", "smith", "--born", "2000-01-01T10"};
    const ReadingRequest request = CommandLine::handle(words).readings.request;
    std::string line;
    readingformats::appendJson(line, request, Reading::placeholders().readingOf(request.person()), std::nullopt);
    const QJsonArray json = QJsonDocument::fromJson(QByteArray::fromStdString(line))["results"].toArray();
    for (int i = 5; i >= 0; --i) {
        Child<TabStrip>(v, "resultTabs")->setCurrentIndex(i);
        EXPECT_EQ(json[i]["caption"].toString(), Child<QLabel>(v, "captionLabel")->text());
        EXPECT_TRUE(captions[i].endsWith("  " + json[i]["value"].toVariant().toString())) << json[i]["value"].toString().toStdString();
        EXPECT_EQ(Child<TabStrip>(v, "resultTabs")->tabText(i), tabs[i]);
        EXPECT_EQ(kResults[static_cast<std::size_t>(i)].tabCaption, tabs[i]);
        EXPECT_EQ(Child<QLabel>(v, "captionLabel")->text(), captions[i]);
        // The caption line carries the working of the result shown, which ends by stating its value.
        const QString working = Child<QLabel>(v, "captionLabel")->toolTip();
        EXPECT_TRUE(working.endsWith("\nThe " + tabs[i] + " is " + captions[i].section("  ", 1) + ".")) << working.toStdString();
        EXPECT_EQ(QAccessible::queryAccessibleInterface(Child<QLabel>(v, "captionLabel"))->text(QAccessible::Description), working);
        int visible = 0;
        for (DescriptionBox *box : Boxes(v))
            visible += box->isVisible() ? 1 : 0;
        EXPECT_EQ(visible, 1);
        EXPECT_TRUE(Boxes(v)[static_cast<std::size_t>(i)]->isVisible());
    }
}

TEST_F(Viewer, AColourWithABlankStandsWhole)
{
    // F is 17 for "F": Greenish Yellow.
    Request("f", "", "x");
    Child<TabStrip>(viewer(), "resultTabs")->setCurrentIndex(1);
    EXPECT_EQ(Child<QLabel>(viewer(), "captionLabel")->text(), "Lucky Color is  Greenish Yellow");
}

TEST_F(Viewer, BackClearsTheNamesKeepsTheListsAndTheNextReadingOpensOnTabOne)
{
    Request("theo", "lee", "brown", "20", "July", "1969", "0");
    ResultsWindow *v = viewer();
    Child<TabStrip>(v, "resultTabs")->setCurrentIndex(4);
    QSignalSpy backRequested(v, &ResultsWindow::backRequested);
    Child<QPushButton>(v, "backButton")->click();
    EXPECT_EQ(backRequested.count(), 1);
    EXPECT_FALSE(v->isVisible());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(Child<QLineEdit>(form, "firstNameEdit")->text(), "");
    EXPECT_EQ(Child<QLineEdit>(form, "middleNameEdit")->text(), "");
    EXPECT_EQ(Child<QLineEdit>(form, "lastNameEdit")->text(), "");
    EXPECT_EQ(Child<QComboBox>(form, "dayCombo")->currentText(), "20");
    EXPECT_EQ(Child<QComboBox>(form, "monthCombo")->currentText(), "July");
    EXPECT_EQ(Child<QComboBox>(form, "yearCombo")->currentText(), "1969");
    EXPECT_EQ(Child<QComboBox>(form, "hourCombo")->currentText(), "0");

    QTest::keyClicks(Child<QLineEdit>(form, "firstNameEdit"), "ann");
    QTest::keyClicks(Child<QLineEdit>(form, "lastNameEdit"), "bob");
    Child<QAction>(form, "readingAction")->trigger();
    EXPECT_EQ(viewer(), v);
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(Child<TabStrip>(v, "resultTabs")->currentIndex(), 0);
    EXPECT_TRUE(Child<DescriptionBox>(v, "luckyNumberBox")->isVisible());
    EXPECT_EQ(Child<QLabel>(v, "captionLabel")->text(), "Lucky Number is  " + QString::number(app->reading().interpretation.luckyNumber));
}

TEST_F(Viewer, ABoxWhoseNumberHasNoTextKeepsTheEarlierReading)
{
    Request("john", "", "smith");
    ResultsWindow *v = viewer();
    const QString earlier = Child<DescriptionBox>(v, "firstHealthIndicationBox")->toPlainText();
    Child<QPushButton>(v, "backButton")->click();
    Request("   ", "", "smith");
    EXPECT_EQ(app->reading().interpretation.firstHealthIndication, 0);
    EXPECT_EQ(Child<DescriptionBox>(v, "firstHealthIndicationBox")->toPlainText(), earlier);
    EXPECT_EQ(Child<DescriptionBox>(v, "firstHealthInfluenceBox")->toPlainText(), earlier);
    Child<TabStrip>(v, "resultTabs")->setCurrentIndex(3);
    EXPECT_EQ(Child<QLabel>(v, "captionLabel")->text(), "First Health Indication Number is  0");
}

TEST_F(Viewer, PlaceholdersStayWhenTheFirstReadingHasNoText)
{
    Request("   ", "", "smith");
    EXPECT_EQ(Child<DescriptionBox>(viewer(), "firstHealthIndicationBox")->toPlainText(), "First Health Indication\n");
    EXPECT_EQ(Child<DescriptionBox>(viewer(), "firstHealthInfluenceBox")->toPlainText(), "First Health Influence\n");
}

TEST_F(Viewer, ARefusedRequestKeepsTheCurrentInterpretation)
{
    Request("john", "", "smith");
    const Interpretation before = app->reading().interpretation;
    Child<QPushButton>(viewer(), "backButton")->click();
    Request("ann", "", "");
    EXPECT_EQ(app->reading().interpretation, before);
    EXPECT_FALSE(viewer()->isVisible());
}

TEST_F(Viewer, FillingTheBoxesAndEveryMouseEventOverOneEmptiesTheClipboard)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText("copied elsewhere");
    Request("john", "", "smith");
    EXPECT_TRUE(clipboard->text().isEmpty());
    QWidget *viewport = Child<DescriptionBox>(viewer(), "luckyNumberBox")->viewport();
    const QPointF at(20, 20);
    for (QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        clipboard->setText("copied again");
        QMouseEvent event(type, at, viewport->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
        EXPECT_TRUE(clipboard->text().isEmpty()) << type;
    }
}

TEST_F(Viewer, FocusOrderIsBoxTabStripPrintBack)
{
    Request("john", "", "smith");
    ResultsWindow *v = viewer();
    QApplication::setActiveWindow(v);
    EXPECT_EQ(QApplication::focusWidget(), Child<DescriptionBox>(v, "luckyNumberBox"));
    QStringList seen;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(seen, (QStringList{"resultTabs", "printButton", "backButton", "luckyNumberBox"}));
}

TEST_F(Viewer, MenusWithoutAccessKeysForPrintAndExit)
{
    Request("john", "", "smith");
    ResultsWindow *v = viewer();
    EXPECT_EQ(Child<QAction>(v, "printAction")->text(), "Print");
    EXPECT_EQ(Child<QAction>(v, "backAction")->text(), "&Back");
    EXPECT_EQ(Child<QAction>(v, "exitAction")->text(), "Exit");
    EXPECT_FALSE(Child<QAction>(v, "makeMoneyAction")->isEnabled());
    EXPECT_EQ(Child<QPushButton>(v, "printButton")->text(), "&Print");
    EXPECT_EQ(Child<QPushButton>(v, "backButton")->text(), "&Back");
    EXPECT_EQ(Child<LinkLabel>(v, "coBrandOffer")->geometry(), Child<LinkLabel>(v, "fullBrandOffer")->geometry());
    const auto siblings = Child<LinkLabel>(v, "fullBrandOffer")->parentWidget()->children();
    EXPECT_GT(siblings.indexOf(Child<LinkLabel>(v, "fullBrandOffer")), siblings.indexOf(Child<LinkLabel>(v, "coBrandOffer")));
}

TEST_F(Viewer, PrintOpensTheReportModallyAndReturnsToTheSameView)
{
    Request("john", "", "smith");
    ResultsWindow *v = viewer();
    Child<TabStrip>(v, "resultTabs")->setCurrentIndex(2);
    QSignalSpy printRequested(v, &ResultsWindow::printRequested);
    QString reportText;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *report = qobject_cast<ReportDialog *>(modal)) {
            wasModal = report->isModal();
            reportText = Child<QTextEdit>(report, "reportEdit")->toPlainText();
        }
        if (modal)
            modal->close();
    });
    Child<QAction>(v, "printAction")->trigger();
    EXPECT_EQ(printRequested.count(), 1);
    EXPECT_TRUE(wasModal);
    EXPECT_TRUE(reportText.contains("Money Number :-5"));
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(Child<TabStrip>(v, "resultTabs")->currentIndex(), 2);
    EXPECT_EQ(Child<QLabel>(v, "captionLabel")->text(), "Money Number is  5");
}

TEST_F(Viewer, ClosingTheViewerEndsTheProgram)
{
    Request("john", "", "smith");
    ResultsWindow *v = viewer();
    QSignalSpy quitRequested(v, &BrandedWindow::quitRequested);
    QTimer::singleShot(0, [v] { Child<QAction>(v, "exitAction")->trigger(); });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(quitRequested.count(), 1);
    EXPECT_FALSE(v->isVisible());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Viewer, CtrlTabAndCtrlPageKeysStepThroughTheTabs)
{
    Request("john", "", "smith");
    ResultsWindow *v = viewer();
    QApplication::setActiveWindow(v);
    auto *tabs = Child<TabStrip>(v, "resultTabs");
    const auto press = [](int key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    };
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
    press(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 2);
    EXPECT_EQ(Child<QLabel>(v, "captionLabel")->text(), "Money Number is  5");
    press(Qt::Key_PageUp, Qt::ControlModifier);
    press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs->currentIndex(), 0);
    press(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 5);
}

TEST_F(Viewer, F1OpensTheOnlineHelpFromEitherWindow)
{
    QTest::keyClick(form, Qt::Key_F1);
    Request("john", "", "smith");
    QApplication::setActiveWindow(viewer());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_EQ(urls.opened, (QStringList{webpages::kOnlineHelp, webpages::kOnlineHelp}));
    EXPECT_EQ(Child<QAction>(viewer(), "onlineHelpAction")->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(Viewer, AScreenReaderHearsTheValueAndTheTabsTellWhichIsSelectedAndFocused)
{
    Request("john", "", "smith");
    ResultsWindow *v = viewer();
    QApplication::setActiveWindow(v);
    EXPECT_EQ(v->accessibleDescription(), "The reading, one result on each tab");
    EXPECT_EQ(Child<DescriptionBox>(v, "luckyNumberBox")->accessibleDescription(), "Lucky Number is  1");
    EXPECT_EQ(Child<DescriptionBox>(v, "luckyColorBox")->accessibleDescription(), "Lucky Color is  Dazzling White");
    auto *tabs = Child<TabStrip>(v, "resultTabs");
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(tabs);
    ASSERT_EQ(list->childCount(), 6);
    const auto states = [list] {
        QString seen;
        for (int i = 0; i < list->childCount(); ++i) {
            const QAccessible::State s = list->child(i)->state();
            seen += s.focused ? 'F' : s.selected ? 'S' : '-';
        }
        return seen;
    };
    EXPECT_EQ(states(), "S-----") << "a tab claims the focus while the box has it";
    tabs->setCurrentIndex(2);
    EXPECT_EQ(states(), "--S---");
    EXPECT_EQ(list->text(QAccessible::Name), "Results");
    tabs->setFocus();
    EXPECT_EQ(states(), "--F---");
    EXPECT_FALSE(list->state().focused) << "the strip and its tab both claim the focus";
    EXPECT_EQ(list->focusChild(), list->child(2));
    list->child(4)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(tabs->currentIndex(), 4);

    // A new reading returns the strip to its first tab as a change the strip hears itself, so that
    // it tells a screen reader of the tab that loses the selection and of the one that takes it.
    QSignalSpy changed(tabs, &QTabBar::currentChanged);
    v->showReading(app->reading());
    ASSERT_EQ(changed.count(), 1) << "the strip was not told of the change of tab";
    EXPECT_EQ(changed.at(0).at(0).toInt(), 0);
    EXPECT_EQ(Child<QLabel>(v, "captionLabel")->text(), "Lucky Number is  1");
}

} // namespace
