#include "FormTestSupport.h"

#include "DescriptionBox.h"
#include "LinkLabel.h"
#include "NameKeyFilter.h"

#include <QClipboard>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>

namespace {

// ---- The key filter's rule and the codes keys produce ----

TEST(FilterNameKey, Codes)
{
    struct Row {
        int in;
        int out;
        bool refused;
    };
    const Row rows[] = {
        {'a', 'A', false}, {'z', 'Z', false}, {'A', 'A', false}, {'Z', 'Z', false}, {8, 8, false},
        {13, 13, false},   {32, 32, false},   {'0', 0, true},    {'9', 0, true},    {'-', 0, true},
        {'\'', 0, true},   {91, 0, true},     {96, 0, true},     {123, 0, true},    {233, 0, true},
        {22, 0, true},     {3, 0, true},      {27, 0, true},     {9, 0, true},      {-1, 0, true},
    };
    for (const Row &row : rows) {
        const FilteredKey k = FilterNameKey(static_cast<std::int16_t>(row.in));
        EXPECT_EQ(k.code, row.out) << row.in;
        EXPECT_EQ(k.refused, row.refused) << row.in;
    }
}

TEST(ClassicCharCode, KeysAsAClassicHandlerSeesThem)
{
    const auto code = [](int key, Qt::KeyboardModifiers mods, const QString &text) {
        QKeyEvent event(QEvent::KeyPress, key, mods, text);
        return ClassicCharCode(event);
    };
    EXPECT_EQ(code(Qt::Key_V, Qt::ControlModifier, "v"), 22);
    EXPECT_EQ(code(Qt::Key_V, Qt::ControlModifier, "\x16"), 22);
    EXPECT_EQ(code(Qt::Key_C, Qt::ControlModifier, "c"), 3);
    EXPECT_EQ(code(Qt::Key_Escape, Qt::NoModifier, "\x1b"), 27);
    EXPECT_EQ(code(Qt::Key_Return, Qt::NoModifier, "\r"), 13);
    EXPECT_EQ(code(Qt::Key_Backspace, Qt::NoModifier, "\b"), 8);
    EXPECT_EQ(code(Qt::Key_A, Qt::NoModifier, "a"), 'a');
    EXPECT_EQ(code(Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é")), 233);
    EXPECT_FALSE(code(Qt::Key_Left, Qt::NoModifier, ""));
    EXPECT_FALSE(code(Qt::Key_Delete, Qt::NoModifier, "\x7f"));
    EXPECT_FALSE(code(Qt::Key_Tab, Qt::NoModifier, "\t"));
    EXPECT_FALSE(code(Qt::Key_Insert, Qt::ShiftModifier, ""));
    EXPECT_FALSE(code(Qt::Key_Shift, Qt::ShiftModifier, ""));
    EXPECT_FALSE(code(Qt::Key_G, Qt::AltModifier, "g"));
}

// ---- Typing into the name boxes ----

using NameBoxes = FormTest;

TEST_F(NameBoxes, LowerCaseBecomesCapitalsAndAnApostropheIsRefusedOnce)
{
    QTest::keyClicks(form->txtLastName, "o'brien");
    EXPECT_EQ(form->txtLastName->text(), "OBRIEN");
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, "Please Enter Only Alphabet");
    EXPECT_EQ(fake.messages.shown[0].caption, "Larkspire");
    EXPECT_FALSE(fake.messages.shown[0].question);
}

TEST_F(NameBoxes, EachRefusedKeyShowsTheMessageAndLeavesTheBoxUnchanged)
{
    QTest::keyClicks(form->txtFirstName, "AB");
    QTest::keyClicks(form->txtFirstName, "7-");
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é"));
    QApplication::sendEvent(form->txtFirstName, &accented);
    QTest::keyClick(form->txtFirstName, Qt::Key_Escape);
    EXPECT_EQ(form->txtFirstName->text(), "AB");
    EXPECT_EQ(fake.messages.shown.size(), 4u);
}

TEST_F(NameBoxes, SpacesAndBackspacePass)
{
    QTest::keyClicks(form->txtMiddleName, " a  b ");
    EXPECT_EQ(form->txtMiddleName->text(), " A  B ");
    QTest::keyClick(form->txtMiddleName, Qt::Key_Backspace);
    QTest::keyClick(form->txtMiddleName, Qt::Key_Backspace);
    EXPECT_EQ(form->txtMiddleName->text(), " A  ");
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(NameBoxes, CtrlVIsRefusedButShiftInsertPastesUnfiltered)
{
    QGuiApplication::clipboard()->setText("o'neil-2");
    QTest::keyClick(form->txtFirstName, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->txtFirstName->text(), "");
    EXPECT_EQ(fake.messages.texts(), QStringList{"Please Enter Only Alphabet"});
    QTest::keyClick(form->txtFirstName, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(form->txtFirstName->text(), "o'neil-2");
    EXPECT_EQ(fake.messages.shown.size(), 1u);
}

TEST_F(NameBoxes, CursorKeysAndDeletePassSilently)
{
    QTest::keyClicks(form->txtFirstName, "abc");
    QTest::keyClick(form->txtFirstName, Qt::Key_Left);
    QTest::keyClick(form->txtFirstName, Qt::Key_Left);
    QTest::keyClick(form->txtFirstName, Qt::Key_Delete);
    QTest::keyClicks(form->txtFirstName, "x");
    EXPECT_EQ(form->txtFirstName->text(), "AXC");
    EXPECT_TRUE(fake.messages.shown.empty());
}

// ---- The form as loaded ----

using InputForm = FormTest;

TEST_F(InputForm, ListsAndFirstSelections)
{
    struct Row {
        QComboBox *list;
        int count;
        QString first;
        QString last;
    };
    const Row rows[] = {
        {form->cmbDate, 31, "1", "31"},          {form->cmbMonth, 12, "January", "December"},
        {form->cmbYear, 1100, "1900", "2999"},   {form->cboMHH, 24, "0", "23"},
        {form->cboMMM, 60, "0", "59"},           {form->cboMSS, 60, "0", "59"},
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
        EXPECT_EQ(form->cmbMonth->itemText(i), months[i]);
    for (int i = 0; i < 1100; ++i)
        ASSERT_EQ(form->cmbYear->itemText(i), QString::number(1900 + i));
}

TEST_F(InputForm, WindowCaptionsAndMenus)
{
    EXPECT_EQ(form->windowTitle(), "Larkspire v1.45");
    EXPECT_EQ(form->cmdNext->text(), "&Get My Interpretation");
    EXPECT_EQ(form->centralWidget()->size(), QSize(475, 301));
    EXPECT_EQ(form->mnuNext->text(), "Get My &Interpretation");
    EXPECT_EQ(form->mnuExit->text(), "E&xit");
    EXPECT_EQ(form->mnuOnline->text(), "&Online Help");
    EXPECT_EQ(form->mnuVisit->text(), "&Visit Us Online");
    EXPECT_EQ(form->mnuUpdate->text(), "&Check for Software Update");
    EXPECT_EQ(form->mnuAbout->text(), "&About Software");
    EXPECT_EQ(form->mkmoney->text(), "Make Money &Online");
    EXPECT_FALSE(form->mkmoney->isEnabled());
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

TEST_F(InputForm, PromotionalLabelsShareOneRectangleWithFullBrandInFront)
{
    EXPECT_EQ(form->lblCobrand->geometry(), form->lblFullBrand->geometry());
    EXPECT_EQ(form->lblCobrand->parentWidget(), form->lblFullBrand->parentWidget());
    const auto siblings = form->lblFullBrand->parentWidget()->children();
    EXPECT_GT(siblings.indexOf(form->lblFullBrand), siblings.indexOf(form->lblCobrand));
    EXPECT_EQ(form->lblCobrand->text(),
              "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name "
              "&  link here. See \"Help\" for details.    Click Here for more info on co-branding.");
    EXPECT_EQ(form->lblFullBrand->text(),
              "Home Business Opportunity. Start your own Internet business and make money online. Get this software "
              "fully branded for your website. Click here for more details.");
}

TEST_F(InputForm, FocusStartsInFirstNameAndFollowsTheFormOrder)
{
    EXPECT_EQ(QApplication::focusWidget(), form->txtFirstName);
    const QStringList expected{"txtMiddleName", "txtLastName", "cmdNext", "cboMSS", "cboMMM",
                               "cboMHH",        "cmbDate",     "cmbMonth", "cmbYear", "txtFirstName"};
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

class Validation : public FormTest, public ::testing::WithParamInterface<ValidationCase> {};

TEST_P(Validation, MessageAndFocus)
{
    const ValidationCase &c = GetParam();
    form->txtMiddleName->setFocus();
    Request(c.first, "", c.last, c.day, c.month, c.year);
    if (*c.message == '\0') {
        EXPECT_TRUE(fake.messages.shown.empty()) << c.what;
        EXPECT_TRUE(form->viewer() && form->viewer()->isVisible()) << c.what;
        return;
    }
    EXPECT_EQ(fake.messages.texts(), QStringList{c.message}) << c.what;
    EXPECT_EQ(fake.messages.shown.at(0).caption, "Larkspire");
    EXPECT_EQ(form->viewer(), nullptr) << c.what;
    EXPECT_TRUE(form->isVisible());
    const QString focus = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    EXPECT_EQ(focus, *c.focus ? QString(c.focus) : QString("txtMiddleName")) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Validation,
    ::testing::Values(
        ValidationCase{"both names empty", "", "", "1", "January", "2000", "Please Enter Your First Name", "txtFirstName"},
        ValidationCase{"last name empty", "ann", "", "1", "January", "2000", "Please Enter Your Last Name", "txtLastName"},
        ValidationCase{"names first, then 31 April", "", "x", "31", "April", "2000", "Please Enter Your First Name", "txtFirstName"},
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

TEST_F(InputForm, ClosingTheFormEndsTheProgramWithoutAQuestion)
{
    form->mnuExit->trigger();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fake.process.ends, 1);
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(fake.settings.writes, 0);
}

TEST_F(InputForm, ClosingTheFormWhileTheViewerIsHiddenUnloadsBoth)
{
    Request("ann", "", "lee");
    form->viewer()->cmdBack_Click();
    QPointer<frmDisplay> viewer = form->viewer();
    form->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fake.process.ends, 1);
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(viewer.isNull());
}

} // namespace
