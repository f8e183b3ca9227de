#include "FormTestSupport.h"

#include "DescriptionBox.h"
#include "InterpretationTexts.h"
#include "LinkLabel.h"
#include "TabStrip.h"
#include "frmSave.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

using namespace numerology;

namespace {

QString WithBreak(std::optional<std::string_view> text)
{
    return QStringLiteral("\r\n") + QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size()));
}

using Viewer = FormTest;

TEST_F(Viewer, ARequestFillsTheSixBoxesAndShowsTheLuckyNumberView)
{
    Request("john", "", "smith", "1", "January", "2000", "10");
    frmDisplay *v = form->viewer();
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->isVisible());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(v->txtDescriptionLuckyNo->text(), WithBreak(kLuckyNumberSentence));
    EXPECT_EQ(v->txtDescriptionLuckyColor->text(), WithBreak(kLuckyColorSentence));
    EXPECT_EQ(v->txtDescriptionMoneyNo->text(), WithBreak(moneyText(5)));
    EXPECT_EQ(v->txtDescriptionFHIndication->text(), WithBreak(healthText(12)));
    EXPECT_EQ(v->txtDescriptionFHInfluence->text(), WithBreak(healthText(12)));
    EXPECT_EQ(v->txtDescriptionSHIndication->text(), WithBreak(healthText(5)));
    EXPECT_EQ(v->lblCaption->text(), "Lucky Number is  1");
    EXPECT_EQ(v->TScript->currentIndex(), 0);
    for (DescriptionBox *box : v->boxes())
        EXPECT_EQ(box->isVisible(), box == v->txtDescriptionLuckyNo) << box->objectName().toStdString();
    EXPECT_EQ(form->currentInterpretation().moneyNumber, 5);
    EXPECT_EQ(v->windowTitle(), "Larkspire v1.45");
    EXPECT_EQ(v->centralWidget()->size(), QSize(522, 348));
}

TEST_F(Viewer, TabsSwitchTheBoxAndTheCaption)
{
    Request("john", "", "smith", "1", "January", "2000", "10");
    frmDisplay *v = form->viewer();
    const QStringList captions{"Lucky Number is  1",
                               "Lucky Color is  Dazzling White",
                               "Money Number is  5",
                               "First Health Indication Number is  12",
                               "First Health Influence Number is  12",
                               "Second Health Indication Number is  5"};
    const QStringList tabs{"Lucky Number", "Lucky Color", "Money Number", "First Health Indication",
                           "First Health Influence", "Second Health Indication"};
    for (int i = 5; i >= 0; --i) {
        v->TScript->setCurrentIndex(i);
        EXPECT_EQ(v->TScript->tabText(i), tabs[i]);
        EXPECT_EQ(v->lblCaption->text(), captions[i]);
        int visible = 0;
        for (DescriptionBox *box : v->boxes())
            visible += box->isVisible() ? 1 : 0;
        EXPECT_EQ(visible, 1);
        EXPECT_TRUE(v->boxes()[static_cast<std::size_t>(i)]->isVisible());
    }
}

TEST_F(Viewer, AColourWithABlankStandsWhole)
{
    // F is 17 for "F": Greenish Yellow.
    Request("f", "", "x");
    form->viewer()->TScript->setCurrentIndex(1);
    EXPECT_EQ(form->viewer()->lblCaption->text(), "Lucky Color is  Greenish Yellow");
}

TEST_F(Viewer, BackClearsTheNamesKeepsTheListsAndTheNextReadingOpensOnTabOne)
{
    Request("theo", "lee", "brown", "20", "July", "1969", "0");
    frmDisplay *v = form->viewer();
    v->TScript->setCurrentIndex(4);
    v->cmdBack_Click();
    EXPECT_FALSE(v->isVisible());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->txtFirstName->text(), "");
    EXPECT_EQ(form->txtMiddleName->text(), "");
    EXPECT_EQ(form->txtLastName->text(), "");
    EXPECT_EQ(form->cmbDate->currentText(), "20");
    EXPECT_EQ(form->cmbMonth->currentText(), "July");
    EXPECT_EQ(form->cmbYear->currentText(), "1969");
    EXPECT_EQ(form->cboMHH->currentText(), "0");

    QTest::keyClicks(form->txtFirstName, "ann");
    QTest::keyClicks(form->txtLastName, "bob");
    form->mnuNext->trigger();
    EXPECT_EQ(form->viewer(), v);
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(v->TScript->currentIndex(), 0);
    EXPECT_TRUE(v->txtDescriptionLuckyNo->isVisible());
    EXPECT_EQ(v->lblCaption->text(), "Lucky Number is  " + QString::number(form->currentInterpretation().luckyNumber));
}

TEST_F(Viewer, ABoxWhoseNumberHasNoTextKeepsTheEarlierReading)
{
    Request("john", "", "smith");
    frmDisplay *v = form->viewer();
    const QString earlier = v->txtDescriptionFHIndication->text();
    v->cmdBack_Click();
    Request("   ", "", "smith");
    EXPECT_EQ(form->currentInterpretation().firstHealthIndication, 0);
    EXPECT_EQ(v->txtDescriptionFHIndication->text(), earlier);
    EXPECT_EQ(v->txtDescriptionFHInfluence->text(), earlier);
    v->TScript->setCurrentIndex(3);
    EXPECT_EQ(v->lblCaption->text(), "First Health Indication Number is  0");
}

TEST_F(Viewer, PlaceholdersStayWhenTheFirstReadingHasNoText)
{
    Request("   ", "", "smith");
    EXPECT_EQ(form->viewer()->txtDescriptionFHIndication->text(), "First Health Indication\r\n");
    EXPECT_EQ(form->viewer()->txtDescriptionFHInfluence->text(), "First Health Influence\r\n");
}

TEST_F(Viewer, ARefusedRequestKeepsTheCurrentInterpretation)
{
    Request("john", "", "smith");
    const Interpretation before = form->currentInterpretation();
    form->viewer()->cmdBack_Click();
    Request("ann", "", "");
    EXPECT_EQ(form->currentInterpretation(), before);
    EXPECT_FALSE(form->viewer()->isVisible());
}

TEST_F(Viewer, EveryBoxEventEmptiesTheClipboard)
{
    Request("john", "", "smith");
    frmDisplay *v = form->viewer();
    // Filling six boxes is six changes.
    EXPECT_GE(fake.clipboard.clears, 6);
    QWidget *viewport = v->txtDescriptionLuckyNo->viewport();
    const QPointF at(20, 20);
    for (QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const int before = fake.clipboard.clears;
        QMouseEvent event(type, at, viewport->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
        EXPECT_EQ(fake.clipboard.clears, before + 1) << type;
    }
}

TEST_F(Viewer, FocusOrderIsBoxTabStripPrintBack)
{
    Request("john", "", "smith");
    frmDisplay *v = form->viewer();
    QApplication::setActiveWindow(v);
    EXPECT_EQ(QApplication::focusWidget(), v->txtDescriptionLuckyNo);
    QStringList seen;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(seen, (QStringList{"TScript", "cmdPrint", "cmdBack", "txtDescriptionLuckyNo"}));
}

TEST_F(Viewer, MenusWithoutAccessKeysForPrintAndExit)
{
    Request("john", "", "smith");
    frmDisplay *v = form->viewer();
    EXPECT_EQ(v->mnuPrint->text(), "Print");
    EXPECT_EQ(v->mnuBack->text(), "&Back");
    EXPECT_EQ(v->mnuExit->text(), "Exit");
    EXPECT_FALSE(v->mkmoney->isEnabled());
    EXPECT_EQ(v->cmdPrint->text(), "&Print");
    EXPECT_EQ(v->cmdBack->text(), "&Back");
    EXPECT_EQ(v->lblCobrand->geometry(), v->lblFullBrand->geometry());
    const auto siblings = v->lblFullBrand->parentWidget()->children();
    EXPECT_GT(siblings.indexOf(v->lblFullBrand), siblings.indexOf(v->lblCobrand));
}

TEST_F(Viewer, PrintOpensTheReportModallyAndReturnsToTheSameView)
{
    Request("john", "", "smith");
    frmDisplay *v = form->viewer();
    v->TScript->setCurrentIndex(2);
    QString reportText;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        auto *report = qobject_cast<frmSave *>(QApplication::activeModalWidget());
        ASSERT_NE(report, nullptr);
        wasModal = report->isModal();
        reportText = report->RTB->toPlainText();
        report->close();
    });
    v->mnuPrint->trigger();
    EXPECT_TRUE(wasModal);
    EXPECT_TRUE(reportText.contains("Money Number :-5"));
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(v->TScript->currentIndex(), 2);
    EXPECT_EQ(v->lblCaption->text(), "Money Number is  5");
}

TEST_F(Viewer, ClosingTheViewerEndsTheProgram)
{
    Request("john", "", "smith");
    QPointer<frmDisplay> v = form->viewer();
    v->mnuExit->trigger();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fake.process.ends, 1);
    EXPECT_TRUE(v.isNull());
    EXPECT_TRUE(form.isNull());
}

} // namespace
