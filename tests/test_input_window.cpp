#include "ApplicationFixture.h"

#include "widgets/LinkLabel.h"
#include "widgets/NameKeyFilter.h"

#include <QAccessible>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimer>

namespace {

// ---- The key filter's rule and the codes keys produce ----

TEST(NameKeyFor, EachCharacter)
{
    struct Row {
        char16_t typed;
        NameKey action;
    };
    const Row rows[] = {
        {u'a', NameKey::Capitalise}, {u'z', NameKey::Capitalise}, {u'A', NameKey::Pass},   {u'Z', NameKey::Pass},
        {u'\b', NameKey::Pass},      {u'\r', NameKey::Pass},      {u' ', NameKey::Pass},   {u'0', NameKey::Refuse},
        {u'9', NameKey::Refuse},     {u'-', NameKey::Refuse},     {u'\'', NameKey::Refuse}, {u'[', NameKey::Refuse},
        {u'`', NameKey::Refuse},     {u'{', NameKey::Refuse},     {u'\u00e9', NameKey::Refuse}, {u'\x16', NameKey::Refuse},
        {u'\x03', NameKey::Refuse},  {u'\x1b', NameKey::Refuse},  {u'\t', NameKey::Refuse}, {u'\ufffd', NameKey::Refuse},
    };
    for (const Row &row : rows)
        EXPECT_EQ(nameKeyFor(QChar(row.typed)), row.action) << int(row.typed);
}

TEST(TypedCharacter, WhatEachKeyTypes)
{
    const auto typed = [](int key, Qt::KeyboardModifiers mods, const QString &text) {
        QKeyEvent event(QEvent::KeyPress, key, mods, text);
        return typedCharacter(event);
    };
    EXPECT_EQ(typed(Qt::Key_V, Qt::ControlModifier, "v"), QChar(u'\x16'));
    EXPECT_EQ(typed(Qt::Key_V, Qt::ControlModifier, "\x16"), QChar(u'\x16'));
    EXPECT_EQ(typed(Qt::Key_C, Qt::ControlModifier, "c"), QChar(u'\x03'));
    EXPECT_EQ(typed(Qt::Key_Escape, Qt::NoModifier, "\x1b"), QChar(u'\x1b'));
    EXPECT_EQ(typed(Qt::Key_Return, Qt::NoModifier, "\r"), QChar(u'\r'));
    EXPECT_EQ(typed(Qt::Key_Backspace, Qt::NoModifier, "\b"), QChar(u'\b'));
    EXPECT_EQ(typed(Qt::Key_A, Qt::NoModifier, "a"), QChar(u'a'));
    EXPECT_EQ(typed(Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é")), QChar(u'\u00e9'));
    EXPECT_EQ(typed(Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("\xf0\x9f\x98\x80")), QChar(QChar::ReplacementCharacter));
    EXPECT_FALSE(typed(Qt::Key_Left, Qt::NoModifier, ""));
    EXPECT_FALSE(typed(Qt::Key_Delete, Qt::NoModifier, "\x7f"));
    EXPECT_FALSE(typed(Qt::Key_Tab, Qt::NoModifier, "\t"));
    EXPECT_FALSE(typed(Qt::Key_Insert, Qt::ShiftModifier, ""));
    EXPECT_FALSE(typed(Qt::Key_Shift, Qt::ShiftModifier, ""));
    EXPECT_FALSE(typed(Qt::Key_G, Qt::AltModifier, "g"));
}

// ---- Typing into the name boxes ----

using NameBoxes = ApplicationTest;

TEST_F(NameBoxes, LowerCaseBecomesCapitalsAndAnApostropheIsRefusedOnce)
{
    QTest::keyClicks(Child<QLineEdit>(form, "lastNameEdit"), "o'brien");
    EXPECT_EQ(Child<QLineEdit>(form, "lastNameEdit")->text(), "OBRIEN");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Please Enter Only Alphabet");
    EXPECT_EQ(messages.shown[0].caption, "Larkspire");
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::Information);
    EXPECT_EQ(messages.shown[0].buttons, QMessageBox::Ok);
}

TEST_F(NameBoxes, EachRefusedKeyShowsTheMessageAndLeavesTheBoxUnchanged)
{
    QTest::keyClicks(Child<QLineEdit>(form, "firstNameEdit"), "AB");
    QTest::keyClicks(Child<QLineEdit>(form, "firstNameEdit"), "7-");
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é"));
    QApplication::sendEvent(Child<QLineEdit>(form, "firstNameEdit"), &accented);
    QTest::keyClick(Child<QLineEdit>(form, "firstNameEdit"), Qt::Key_Escape);
    EXPECT_EQ(Child<QLineEdit>(form, "firstNameEdit")->text(), "AB");
    EXPECT_EQ(messages.shown.size(), 4u);
}

TEST_F(NameBoxes, SpacesAndBackspacePass)
{
    QTest::keyClicks(Child<QLineEdit>(form, "middleNameEdit"), " a  b ");
    EXPECT_EQ(Child<QLineEdit>(form, "middleNameEdit")->text(), " A  B ");
    QTest::keyClick(Child<QLineEdit>(form, "middleNameEdit"), Qt::Key_Backspace);
    QTest::keyClick(Child<QLineEdit>(form, "middleNameEdit"), Qt::Key_Backspace);
    EXPECT_EQ(Child<QLineEdit>(form, "middleNameEdit")->text(), " A  ");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NameBoxes, CtrlVIsRefusedAsATypedKey)
{
    QGuiApplication::clipboard()->setText("ann");
    QTest::keyClick(Child<QLineEdit>(form, "firstNameEdit"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Child<QLineEdit>(form, "firstNameEdit")->text(), "");
    EXPECT_EQ(messages.texts(), QStringList{"Please Enter Only Alphabet"});
}

// Drops a text from another program on the middle of a box.
void Drop(QLineEdit *box, const QString &text)
{
    QMimeData data;
    data.setText(text);
    const QPointF at = box->rect().center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &drop);
}

TEST_F(NameBoxes, EveryOtherRoadIntoANameMeetsTheRuleOfATypedKey)
{
    auto *box = Child<QLineEdit>(form, "firstNameEdit");
    QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(box);
    ASSERT_NE(spoken, nullptr);
    ASSERT_NE(spoken->editableTextInterface(), nullptr);
    const auto pasted = [box](const QString &text, const std::function<void()> &paste) {
        QGuiApplication::clipboard()->setText(text);
        paste();
    };
    struct Road {
        const char *name;
        std::function<void()> take;
        QString expected;
        int messages; // one for each insertion with anything refused, however much
    };
    const Road roads[] = {
        {"Shift+Insert", [&] { pasted("o'neil-2", [box] { QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier); }); }, "ONEIL", 1},
        {"the context menu's Paste", [&] { pasted("ann lee", [box] { box->paste(); }); }, "ANN LEE", 0},
        {"a paste with a line break and a tab", [&] { pasted("ann\tlee\r\n", [box] { box->paste(); }); }, "ANNLEE", 1},
        {"a paste of nothing but refused characters", [&] { pasted("1-2-3", [box] { box->paste(); }); }, "", 1},
        {"a drop", [&] { Drop(box, QString::fromUtf8("zoë")); }, "ZO", 1},
        {"a screen reader's insertion", [&] { spoken->editableTextInterface()->insertText(0, "mary-jane"); }, "MARYJANE", 1},
        {"a screen reader's new value", [&] { spoken->setText(QAccessible::Value, "bo"); }, "BO", 0},
        {"five quick insertions by a screen reader, told while the first is shown",
         [&] { for (int i = 0; i < 5; ++i) spoken->editableTextInterface()->insertText(0, "a-"); }, "AAAAA", 1},
        {"a megabyte without a space", [&] { pasted(QString(1 << 20, 'q'), [box] { box->paste(); }); },
         QString(box->maxLength(), 'Q'), 0},
    };
    for (const Road &road : roads) {
        box->setText("");
        messages.shown.clear();
        road.take();
        QCoreApplication::processEvents();
        EXPECT_EQ(box->text(), road.expected) << road.name;
        EXPECT_EQ(messages.shown.size(), static_cast<size_t>(road.messages)) << road.name;
    }
}

TEST_F(NameBoxes, AnInsertionTheRuleChangesIsOneStepOfUndoAndWhatWasTypedStaysUndoable)
{
    // Qt's line edit drops its whole undo history when its validator rewrites an edit.
    auto *box = Child<QLineEdit>(form, "firstNameEdit");
    QGuiApplication::clipboard()->setText("le-e");
    const std::pair<const char *, std::function<void()>> roads[] = {
        {"Shift+Insert", [box] { QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier); }},
        {"a drop", [box] { Drop(box, "le-e"); }},
    };
    for (const auto &[road, insert] : roads) {
        box->setText("");
        QTest::keyClicks(box, "ann ");
        insert();
        QTest::keyClicks(box, "x");
        QStringList seen{box->text()};
        for (auto step : {&QLineEdit::undo, &QLineEdit::undo, &QLineEdit::undo, &QLineEdit::redo, &QLineEdit::redo}) {
            (box->*step)();
            seen << box->text();
        }
        EXPECT_EQ(seen.join('|').toStdString(), "ANN LEEX|ANN LEE|ANN ||ANN |ANN LEE") << road;
    }
}

TEST_F(NameBoxes, AScreenReaderGetsAnAnswerAtEveryOffsetAndBoundary)
{
    // Qt's own answer for the word at the end of the text never came.
    auto *box = Child<QLineEdit>(form, "firstNameEdit");
    box->setText("ANN LEE");
    QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(box)->textInterface();
    ASSERT_NE(text, nullptr);
    const QAccessible::TextBoundaryType boundaries[] = {
        QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
        QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary};
    for (QAccessible::TextBoundaryType boundary : boundaries) {
        for (int offset = -2; offset <= 8; ++offset) {
            int start = 0;
            int end = 0;
            const QString at = text->textAtOffset(offset, boundary, &start, &end);
            EXPECT_TRUE(start == -1 ? at.isEmpty() : at == box->text().mid(start, end - start)) << offset;
            text->textBeforeOffset(offset, boundary, &start, &end);
            text->textAfterOffset(offset, boundary, &start, &end);
        }
    }
    int start = 0;
    int end = 0;
    EXPECT_EQ(text->textAtOffset(1, QAccessible::WordBoundary, &start, &end), "ANN");
    EXPECT_EQ(text->textAtOffset(5, QAccessible::WordBoundary, &start, &end), "LEE");
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(4, 7));
    EXPECT_EQ(text->textAtOffset(7, QAccessible::WordBoundary, &start, &end), "");
    EXPECT_EQ(text->textAtOffset(-1, QAccessible::SentenceBoundary, &start, &end), "");
    EXPECT_EQ(text->textAtOffset(2, QAccessible::SentenceBoundary, &start, &end), "ANN LEE");
    // A spin box speaks for its own line edit, as Qt has it.
    QSpinBox spin;
    EXPECT_EQ(QAccessible::queryAccessibleInterface(spin.findChild<QLineEdit *>())->textInterface(), nullptr);
}

TEST_F(NameBoxes, ComposedCharactersAreJudgedAsTypedOnes)
{
    auto *box = Child<QLineEdit>(form, "firstNameEdit");
    const auto compose = [box](const QString &preedit, const QString &commit) {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(commit);
        QApplication::sendEvent(box, &event);
    };
    compose("", QString::fromUtf8("é")); // a dead acute accent, then e
    compose("", QString::fromUtf8("ø")); // Compose, o, /
    compose("", "a");
    compose("o", "");                    // a composition still in progress
    compose("", "B");
    compose("", QString::fromUtf8("ñx"));
    EXPECT_EQ(box->text(), "ABX");
    EXPECT_EQ(messages.texts(), QStringList(3, "Please Enter Only Alphabet"));
}

TEST_F(NameBoxes, CursorKeysAndDeletePassSilently)
{
    QTest::keyClicks(Child<QLineEdit>(form, "firstNameEdit"), "abc");
    QTest::keyClick(Child<QLineEdit>(form, "firstNameEdit"), Qt::Key_Left);
    QTest::keyClick(Child<QLineEdit>(form, "firstNameEdit"), Qt::Key_Left);
    QTest::keyClick(Child<QLineEdit>(form, "firstNameEdit"), Qt::Key_Delete);
    QTest::keyClicks(Child<QLineEdit>(form, "firstNameEdit"), "x");
    EXPECT_EQ(Child<QLineEdit>(form, "firstNameEdit")->text(), "AXC");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NameBoxes, BackEmptiesTheNamesWithNothingOfThemLeftToUndo)
{
    // What a box keeps for Undo would otherwise grow with every reading for the rest of the run.
    for (int reading = 0; reading < 3; ++reading) {
        Request("elizabeth", "anne", "montgomery");
        ASSERT_NE(viewer(), nullptr);
        Child<QPushButton>(viewer(), "backButton")->click();
        for (const char *name : {"firstNameEdit", "middleNameEdit", "lastNameEdit"}) {
            auto *box = Child<QLineEdit>(form, name);
            EXPECT_EQ(box->text(), "") << name;
            EXPECT_FALSE(box->isUndoAvailable()) << name << " after reading " << reading;
            EXPECT_FALSE(box->isRedoAvailable()) << name << " after reading " << reading;
            box->undo();
            EXPECT_EQ(box->text(), "") << name << ": Undo brought back the earlier person's name";
        }
    }
}

// ---- The form as loaded ----

using InputForm = ApplicationTest;

TEST_F(InputForm, ListsAndFirstSelections)
{
    struct Row {
        QComboBox *list;
        int count;
        QString first;
        QString last;
    };
    const Row rows[] = {
        {Child<QComboBox>(form, "dayCombo"), 31, "1", "31"},          {Child<QComboBox>(form, "monthCombo"), 12, "January", "December"},
        {Child<QComboBox>(form, "yearCombo"), 1100, "1900", "2999"},   {Child<QComboBox>(form, "hourCombo"), 24, "0", "23"},
        {Child<QComboBox>(form, "minuteCombo"), 60, "0", "59"},           {Child<QComboBox>(form, "secondCombo"), 60, "0", "59"},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(row.list->count(), row.count) << row.list->objectName().toStdString();
        EXPECT_EQ(row.list->itemText(0), row.first);
        EXPECT_EQ(row.list->itemText(row.count - 1), row.last);
        EXPECT_EQ(row.list->currentIndex(), 0);
        EXPECT_FALSE(row.list->isEditable());
    }
    const QStringList months{"January", "February", "March", "April", "May", "June",
                             "July", "August", "September", "October", "November", "December"};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Child<QComboBox>(form, "monthCombo")->itemText(i), months[i]);
    for (int i = 0; i < 1100; ++i)
        ASSERT_EQ(Child<QComboBox>(form, "yearCombo")->itemText(i), QString::number(1900 + i));
}

TEST_F(InputForm, WindowCaptionsAndMenus)
{
    EXPECT_EQ(form->windowTitle(), "Larkspire v1.45");
    EXPECT_EQ(form->windowRole(), ShownRole("inputWindow"));
    EXPECT_EQ(Child<QPushButton>(form, "readingButton")->text(), "&Get My Interpretation");
    EXPECT_EQ(form->centralWidget()->size(), QSize(475, 301));
    EXPECT_EQ(Child<QAction>(form, "readingAction")->text(), "Get My &Interpretation");
    EXPECT_EQ(Child<QAction>(form, "exitAction")->text(), "E&xit");
    EXPECT_EQ(Child<QAction>(form, "onlineHelpAction")->text(), "&Online Help");
    EXPECT_EQ(Child<QAction>(form, "visitAction")->text(), "&Visit Us Online");
    EXPECT_EQ(Child<QAction>(form, "updateAction")->text(), "&Check for Software Update");
    EXPECT_EQ(Child<QAction>(form, "aboutAction")->text(), "&About Software");
    EXPECT_EQ(Child<QAction>(form, "makeMoneyAction")->text(), "Make Money &Online");
    EXPECT_FALSE(Child<QAction>(form, "makeMoneyAction")->isEnabled());
    const auto menus = form->menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), "&File");
    EXPECT_EQ(menus[1]->text(), "&Help");
    EXPECT_EQ(form->font().family(), "Verdana");
    EXPECT_DOUBLE_EQ(form->font().pointSizeF(), 8.25);
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
}

TEST(InputWindow, AsMadeThePromotionalLabelsShareOneRectangleWithFullBrandInFront)
{
    InputWindow form;
    EXPECT_EQ(Child<LinkLabel>(&form, "coBrandOffer")->geometry(), Child<LinkLabel>(&form, "fullBrandOffer")->geometry());
    EXPECT_EQ(Child<LinkLabel>(&form, "coBrandOffer")->parentWidget(), Child<LinkLabel>(&form, "fullBrandOffer")->parentWidget());
    const auto siblings = Child<LinkLabel>(&form, "fullBrandOffer")->parentWidget()->children();
    EXPECT_GT(siblings.indexOf(Child<LinkLabel>(&form, "fullBrandOffer")), siblings.indexOf(Child<LinkLabel>(&form, "coBrandOffer")));
    EXPECT_EQ(Child<LinkLabel>(&form, "coBrandOffer")->text(),
              "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name "
              "&  link here. See \"Help\" for details.    Click Here for more info on co-branding.");
    EXPECT_EQ(Child<LinkLabel>(&form, "fullBrandOffer")->text(),
              "Home Business Opportunity. Start your own Internet business and make money online. Get this software "
              "fully branded for your website. Click here for more details.");
}

TEST_F(InputForm, FocusStartsInFirstNameAndFollowsTheFormOrder)
{
    EXPECT_EQ(QApplication::focusWidget(), Child<QLineEdit>(form, "firstNameEdit"));
    const QStringList expected{"middleNameEdit", "lastNameEdit", "readingButton", "secondCombo", "minuteCombo",
                               "hourCombo",        "dayCombo",     "monthCombo", "yearCombo", "firstNameEdit"};
    QStringList seen;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(seen, expected);
}

// ---- Validation ----

struct ValidationCase {
    const char *what;
    const char *first;
    const char *last;
    const char *day;
    const char *month;
    const char *year;
    const char *message; // empty when the request goes through
    const char *focus;   // the box that gets the focus, or empty
};

class Validation : public ApplicationTest, public ::testing::WithParamInterface<ValidationCase> {};

TEST_P(Validation, MessageAndFocus)
{
    const ValidationCase &c = GetParam();
    Child<QLineEdit>(form, "middleNameEdit")->setFocus();
    QSignalSpy requested(form, &InputWindow::readingRequested);
    Request(c.first, "", c.last, c.day, c.month, c.year);
    if (*c.message == '\0') {
        EXPECT_TRUE(messages.shown.empty()) << c.what;
        EXPECT_EQ(requested.count(), 1) << c.what;
        EXPECT_TRUE(viewer() && viewer()->isVisible()) << c.what;
        viewer()->hide();
        return;
    }
    EXPECT_EQ(messages.texts(), QStringList{c.message}) << c.what;
    EXPECT_EQ(messages.shown.at(0).caption, "Larkspire");
    EXPECT_EQ(requested.count(), 0) << c.what;
    EXPECT_EQ(viewer(), nullptr) << c.what;
    EXPECT_TRUE(form->isVisible());
    // The box took the focus while it was up; the window gives it back to its focus widget.
    const QString focus = form->focusWidget() ? form->focusWidget()->objectName() : QString();
    EXPECT_EQ(focus, *c.focus ? QString(c.focus) : QString("middleNameEdit")) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Validation,
    ::testing::Values(
        ValidationCase{"both names empty", "", "", "1", "January", "2000", "Please Enter Your First Name", "firstNameEdit"},
        ValidationCase{"last name empty", "ann", "", "1", "January", "2000", "Please Enter Your Last Name", "lastNameEdit"},
        ValidationCase{"names first, then 31 April", "", "x", "31", "April", "2000", "Please Enter Your First Name", "firstNameEdit"},
        ValidationCase{"29 February 1900", "ann", "lee", "29", "February", "1900", "", ""},
        ValidationCase{"29 February 2000", "ann", "lee", "29", "February", "2000", "", ""},
        ValidationCase{"29 February 2100", "ann", "lee", "29", "February", "2100", "", ""},
        ValidationCase{"29 February 1901", "ann", "lee", "29", "February", "1901", "Please Enter Correct Date Or Month!", ""},
        ValidationCase{"29 February 2023", "ann", "lee", "29", "February", "2023", "Please Enter Correct Date Or Month!", ""},
        ValidationCase{"30 February 2024", "ann", "lee", "30", "February", "2024", "Please Enter Correct Date Or Month!", ""},
        ValidationCase{"31 February 2023", "ann", "lee", "31", "February", "2023", "Please Enter Correct Date Or Month!", ""},
        ValidationCase{"31 April", "ann", "lee", "31", "April", "2000", "Please Enter Correct Date Or Month !", ""},
        ValidationCase{"31 June", "ann", "lee", "31", "June", "2000", "Please Enter Correct Date Or Month !", ""},
        ValidationCase{"31 September", "ann", "lee", "31", "September", "2000", "Please Enter Correct Date Or Month !", ""},
        ValidationCase{"31 November", "ann", "lee", "31", "November", "2000", "Please Enter Correct Date Or Month !", ""},
        ValidationCase{"30 April", "ann", "lee", "30", "April", "2000", "", ""},
        ValidationCase{"31 May", "ann", "lee", "31", "May", "2000", "", ""},
        ValidationCase{"a first name of spaces passes", "   ", "lee", "1", "January", "2000", "", ""}));

// ---- Shutdown from the input form ----

// Runs the event loop as the program does until it ends; a loop that would never end fails.
int RunUntilQuit(const std::function<void()> &whileRunning)
{
    QTimer::singleShot(0, whileRunning);
    QTimer never;
    never.setSingleShot(true);
    QObject::connect(&never, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    never.start(10000);
    return QApplication::exec();
}

TEST_F(InputForm, ClosingTheFormEndsTheProgramWithoutAQuestion)
{
    QSignalSpy quitRequested(form, &BrandedWindow::quitRequested);
    EXPECT_EQ(RunUntilQuit([this] { Child<QAction>(form, "exitAction")->trigger(); }), 0);
    EXPECT_EQ(quitRequested.count(), 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(storedSettings(), kStoredSettings) << "the settings were written at the end";
}

TEST_F(InputForm, ClosingTheFormWhileTheViewerIsHiddenEndsTheProgram)
{
    Request("ann", "", "lee");
    Child<QPushButton>(viewer(), "backButton")->click();
    EXPECT_EQ(RunUntilQuit([this] { form->close(); }), 0);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(viewer()->isVisible());
}

} // namespace
