#include "frmMain.h"

#include "EndProgram.h"
#include "Interpretation.h"
#include "InterpretationTexts.h"
#include "LinkLabel.h"
#include "NameKeyFilter.h"
#include "SharedParts.h"
#include "WindowLook.h"
#include "DescriptionBox.h"
#include "FrameBox.h"
#include "frmDisplay.h"
#include "modHelp.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStringListModel>

using look::Px;

namespace {

const QStringList kMonthNames{
    QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
    QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
    QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
    QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December"),
};

QLabel *Caption(QWidget *parent, const QString &text, int x, int y, int width)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(x, y, width, 16);
    return label;
}

QComboBox *PickList(QWidget *parent, const QString &name, const QString &accessibleName, int x, int y, int width)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    list->setEditable(false);
    list->setMaxVisibleItems(12);
    list->setGeometry(x, y, width, 22);
    return list;
}

// Entries are added as one list model: a thousand years one by one would slow the start.
void AddEntries(QComboBox *list, const QStringList &entries)
{
    list->setModel(new QStringListModel(entries, list));
}

void AddNumbers(QComboBox *list, int first, int last)
{
    QStringList entries;
    entries.reserve(last - first + 1);
    for (int n = first; n <= last; ++n)
        entries << QString::number(n);
    AddEntries(list, entries);
}

} // namespace

frmMain::frmMain(Platform platform)
    : m_platform(platform)
{
    setObjectName(QStringLiteral("frmMain"));
    look::SetUpWindow(this);
    look::UseFormColours(this);
    createControls();
    createMenus();
    setFocusOrder();
    Form_Load();
    look::FixSize(this, Px(7125), Px(4515) + menuBar()->sizeHint().height());
    txtFirstName->setFocus();
}

frmMain::~frmMain() = default;

void frmMain::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    const int width = Px(7125);

    Label61 = AddBanner(client, width, m_platform);

    auto *fraName = new FrameBox(QStringLiteral("Please Fill In The Below Details"), client);
    fraName->setObjectName(QStringLiteral("fraName"));
    fraName->setGeometry(6, 30, width - 12, 186);

    const int boxWidth = 143;
    Caption(fraName, QStringLiteral("First Name"), 10, 22, boxWidth);
    Caption(fraName, QStringLiteral("Middle Name"), 10 + boxWidth + 8, 22, boxWidth);
    Caption(fraName, QStringLiteral(" Last Name"), 10 + 2 * (boxWidth + 8), 22, boxWidth);
    const auto nameBox = [&](const QString &name, const QString &spoken, int column) {
        auto *box = new QLineEdit(fraName);
        box->setObjectName(name);
        box->setAccessibleName(spoken);
        box->setGeometry(10 + column * (boxWidth + 8), 40, boxWidth, 22);
        new KeyPressHook(box, [this](std::int16_t &keyAscii) { NameKeyPress(keyAscii); });
        return box;
    };
    txtFirstName = nameBox(QStringLiteral("txtFirstName"), QStringLiteral("First Name"), 0);
    txtMiddleName = nameBox(QStringLiteral("txtMiddleName"), QStringLiteral("Middle Name"), 1);
    txtLastName = nameBox(QStringLiteral("txtLastName"), QStringLiteral("Last Name"), 2);

    auto *fraBirthDay = new FrameBox(QStringLiteral("Your Birth Details"), fraName);
    fraBirthDay->setObjectName(QStringLiteral("fraBirthDay"));
    fraBirthDay->setGeometry(8, 72, width - 28, 72);
    Caption(fraBirthDay, QStringLiteral("Your Date of Birth"), 10, 18, 200);
    cmbDate = PickList(fraBirthDay, QStringLiteral("cmbDate"), QStringLiteral("Day of birth"), 10, 38, 48);
    cmbMonth = PickList(fraBirthDay, QStringLiteral("cmbMonth"), QStringLiteral("Month of birth"), 62, 38, 100);
    cmbYear = PickList(fraBirthDay, QStringLiteral("cmbYear"), QStringLiteral("Year of birth"), 166, 38, 62);
    Caption(fraBirthDay, QStringLiteral("Your Time of Birth"), 250, 18, 190);
    cboMHH = PickList(fraBirthDay, QStringLiteral("cboMHH"), QStringLiteral("Hour of birth"), 250, 38, 54);
    cboMMM = PickList(fraBirthDay, QStringLiteral("cboMMM"), QStringLiteral("Minute of birth"), 308, 38, 54);
    cboMSS = PickList(fraBirthDay, QStringLiteral("cboMSS"), QStringLiteral("Second of birth"), 366, 38, 54);

    cmdNext = new QPushButton(QStringLiteral("&Get My Interpretation"), fraName);
    cmdNext->setObjectName(QStringLiteral("cmdNext"));
    cmdNext->setAccessibleName(QStringLiteral("Get My Interpretation"));
    cmdNext->setFont(look::Verdana(8.25, true));
    look::GreyButton(cmdNext);
    cmdNext->setGeometry((fraName->width() - 190) / 2, 150, 190, 28);
    connect(cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);

    QFrame *frame5 = look::Strip(client, 0, Px(4515) - 80, width, 80);
    frame5->setObjectName(QStringLiteral("Frame5"));
    const PromoLabels promo = AddPromoLabels(frame5, QRect(6, 6, width - 12, 68), Qt::AlignCenter, m_platform);
    lblCobrand = promo.lblCobrand;
    lblFullBrand = promo.lblFullBrand;
}

void frmMain::createMenus()
{
    // The menus keep the system's colours, so that the unusable entry shows greyed.
    look::UseSystemColours(menuBar());
    QMenu *nuFile = menuBar()->addMenu(QStringLiteral("&File"));
    nuFile->setObjectName(QStringLiteral("nuFile"));
    mnuNext = nuFile->addAction(QStringLiteral("Get My &Interpretation"), this, &frmMain::mnuNext_Click);
    mnuExit = nuFile->addAction(QStringLiteral("E&xit"), this, &frmMain::mnuExit_Click);

    const HelpMenus help = AddHelpMenus(this, m_platform);
    mnuOnline = help.mnuOnline;
    mnuVisit = help.mnuVisit;
    mnuUpdate = help.mnuUpdate;
    mnuAbout = help.mnuAbout;
    mkmoney = help.mkmoney;
}

void frmMain::setFocusOrder()
{
    const QList<QWidget *> order{txtFirstName, txtMiddleName, txtLastName, cmdNext, cboMSS,
                                 cboMMM,       cboMHH,        cmbDate,     cmbMonth, cmbYear};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void frmMain::Form_Load()
{
    UpdateReminder(m_platform);
    AddNumbers(cmbDate, 1, 31);
    AddEntries(cmbMonth, kMonthNames);
    AddNumbers(cmbYear, 1900, 2999);
    AddNumbers(cboMHH, 0, 23);
    AddNumbers(cboMMM, 0, 59);
    AddNumbers(cboMSS, 0, 59);
    for (QComboBox *list : {cmbDate, cmbMonth, cmbYear, cboMHH, cboMMM, cboMSS})
        list->setCurrentIndex(0);
}

void frmMain::NameKeyPress(std::int16_t &keyAscii)
{
    const FilteredKey filtered = FilterNameKey(keyAscii);
    if (filtered.refused)
        m_platform.messages.information(QStringLiteral("Please Enter Only Alphabet"), kApplicationTitle);
    keyAscii = filtered.code;
}

void frmMain::mnuNext_Click()
{
    cmdNext_Click();
}

bool frmMain::ValidateInput()
{
    if (txtFirstName->text().isEmpty()) {
        m_platform.messages.information(QStringLiteral("Please Enter Your First Name"), kApplicationTitle);
        txtFirstName->setFocus();
        return false;
    }
    if (txtLastName->text().isEmpty()) {
        m_platform.messages.information(QStringLiteral("Please Enter Your Last Name"), kApplicationTitle);
        txtLastName->setFocus();
        return false;
    }
    const int year = cmbYear->currentText().trimmed().toInt();
    const int month = cmbMonth->currentIndex() + 1;
    const int day = cmbDate->currentIndex() + 1;
    if (month == 2) {
        const int lastDay = year % 4 == 0 ? 29 : 28;
        if (day > lastDay) {
            m_platform.messages.information(QStringLiteral("Please Enter Correct Date Or Month!"), kApplicationTitle);
            return false;
        }
    }
    if ((month == 4 || month == 6 || month == 9 || month == 11) && day == 31) {
        m_platform.messages.information(QStringLiteral("Please Enter Correct Date Or Month !"), kApplicationTitle);
        return false;
    }
    return true;
}

void frmMain::cmdNext_Click()
{
    if (!ValidateInput())
        return;

    numerology::PersonDetails person;
    person.birthYear = static_cast<std::int16_t>(cmbYear->currentText().trimmed().toShort());
    person.birthMonth = cmbMonth->currentText().trimmed().toStdString();
    person.birthDay = static_cast<std::int16_t>(cmbDate->currentText().trimmed().toShort());
    person.birthHour = static_cast<std::int16_t>(cboMHH->currentText().toShort());
    person.firstName = txtFirstName->text().trimmed().toStdString();
    person.lastName = txtLastName->text().trimmed().toStdString();
    person.middleName = txtMiddleName->text().trimmed().toStdString();

    m_current = numerology::computeInterpretation(person);
    const numerology::InterpretationTexts texts = numerology::describeInterpretation(m_current);

    if (!m_viewer)
        m_viewer = new frmDisplay(m_platform, *this);
    // A box whose text is absent keeps what it showed.
    const auto write = [](DescriptionBox *box, std::optional<std::string_view> text) {
        if (text)
            box->setText(QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())));
    };
    write(m_viewer->txtDescriptionLuckyNo, texts.luckyNumberText);
    write(m_viewer->txtDescriptionLuckyColor, texts.luckyColorText);
    write(m_viewer->txtDescriptionMoneyNo, texts.moneyText);
    write(m_viewer->txtDescriptionFHIndication, texts.firstHealthIndicationText);
    write(m_viewer->txtDescriptionFHInfluence, texts.firstHealthInfluenceText);
    write(m_viewer->txtDescriptionSHIndication, texts.secondHealthIndicationText);
    m_viewer->lblCaption->setText(QStringLiteral("Lucky Number is  ") + QString::number(m_current.luckyNumber));
    m_viewer->ShowOnLuckyNumber();
    hide();
}

void frmMain::ClearNamesAndShow()
{
    txtFirstName->clear();
    txtMiddleName->clear();
    txtLastName->clear();
    show();
    // The names are empty again: the next one is typed into the first box.
    txtFirstName->setFocus();
}

void frmMain::mnuExit_Click()
{
    close();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_Unload();
}

void frmMain::Form_Unload()
{
    EndProgram(m_platform.process);
}
