#include "windows/InputWindow.h"

#include "engine/Calendar.h"
#include "model/ReadingRequest.h"
#include "widgets/CaptionFrame.h"
#include "widgets/Messages.h"
#include "widgets/NameKeyFilter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>

using theme::Twips;

namespace {

// The window's design, in twips. The name frame holds the names, the birth frame and the button;
// the birth frame holds the six lists.
constexpr struct {
    QSize client{7125, 4515};
    Twips bannerStrip{0, 0, 7125, 390};
    Twips banner{60, 30, 7005, 330};
    Twips nameFrame{90, 450, 6945, 2790};
    Twips firstNameCaption{150, 330, 2145, 240};
    Twips middleNameCaption{2415, 330, 2145, 240};
    Twips lastNameCaption{4680, 330, 2145, 240};
    Twips firstNameEdit{150, 600, 2145, 330};
    Twips middleNameEdit{2415, 600, 2145, 330};
    Twips lastNameEdit{4680, 600, 2145, 330};
    Twips birthFrame{120, 1080, 6705, 1080};
    Twips dateCaption{150, 270, 3000, 240};
    Twips dayCombo{150, 570, 720, 330};
    Twips monthCombo{930, 570, 1500, 330};
    Twips yearCombo{2490, 570, 930, 330};
    Twips timeCaption{3750, 270, 2850, 240};
    Twips hourCombo{3750, 570, 810, 330};
    Twips minuteCombo{4620, 570, 810, 330};
    Twips secondCombo{5490, 570, 810, 330};
    Twips readingButton{2040, 2250, 2850, 420};
    Twips offerStrip{0, 3315, 7125, 1200};
    Twips offers{90, 90, 6945, 1020};
} kLayout;

QLabel *caption(QWidget *parent, const QString &text, Twips rect)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    theme::place(label, rect);
    return label;
}

// One of the six birth lists: its object name, the name a screen reader gives it, and its place.
struct PickList {
    const char *name;
    const char *spokenName;
    Twips rect;
};

QComboBox *pickList(QWidget *parent, const PickList &list)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(list.name));
    combo->setAccessibleName(QLatin1String(list.spokenName));
    combo->setEditable(false);
    combo->setMaxVisibleItems(12);
    theme::place(combo, list.rect);
    // Screen readers on Linux name a list by its current entry and ignore its accessible name;
    // a label that is the list's buddy names it ("Year of birth, 1900"), hidden as it is.
    auto *label = new QLabel(QLatin1String(list.spokenName), parent);
    label->setObjectName(QLatin1String(list.name) + QStringLiteral("Label"));
    label->setBuddy(combo);
    label->hide();
    return combo;
}

// Entries are set as one list model: a thousand years added one by one would slow the start.
void setEntries(QComboBox *list, const QStringList &entries)
{
    list->setModel(new QStringListModel(entries, list));
}

void setNumbers(QComboBox *list, int first, int last)
{
    QStringList entries;
    entries.reserve(last - first + 1);
    for (int n = first; n <= last; ++n)
        entries << QString::number(n);
    setEntries(list, entries);
}

} // namespace

InputWindow::InputWindow()
    : BrandedWindow(QStringLiteral("inputWindow"), kLayout.bannerStrip, kLayout.banner)
{
    // The title is the program's, as on every window: this tells a listener which window it is.
    setAccessibleDescription(QStringLiteral("Names and the date and time of birth, for a reading"));
    createControls();
    createMenus();
    setFocusOrder();
    fillLists();
    fixClientSize(kLayout.client);
    m_firstNameEdit->setFocus();
}

void InputWindow::createControls()
{
    auto *nameFrame = new CaptionFrame(QStringLiteral("Please Fill In The Below Details"), client());
    nameFrame->setObjectName(QStringLiteral("nameFrame"));
    theme::place(nameFrame, kLayout.nameFrame);

    caption(nameFrame, QStringLiteral("First Name"), kLayout.firstNameCaption);
    caption(nameFrame, QStringLiteral("Middle Name"), kLayout.middleNameCaption);
    caption(nameFrame, QStringLiteral(" Last Name"), kLayout.lastNameCaption);
    const auto nameEdit = [&](const char *name, const char *spoken, Twips rect) {
        auto *edit = new QLineEdit(nameFrame);
        edit->setObjectName(QLatin1String(name));
        edit->setAccessibleName(QLatin1String(spoken));
        theme::place(edit, rect);
        new NameKeyFilter(edit, [] { showMessage(QStringLiteral("Please Enter Only Alphabet")); });
        return edit;
    };
    m_firstNameEdit = nameEdit("firstNameEdit", "First Name", kLayout.firstNameEdit);
    m_middleNameEdit = nameEdit("middleNameEdit", "Middle Name", kLayout.middleNameEdit);
    m_lastNameEdit = nameEdit("lastNameEdit", "Last Name", kLayout.lastNameEdit);

    auto *birthFrame = new CaptionFrame(QStringLiteral("Your Birth Details"), nameFrame);
    birthFrame->setObjectName(QStringLiteral("birthFrame"));
    theme::place(birthFrame, kLayout.birthFrame);
    caption(birthFrame, QStringLiteral("Your Date of Birth"), kLayout.dateCaption);
    m_dayCombo = pickList(birthFrame, {"dayCombo", "Day of birth", kLayout.dayCombo});
    m_monthCombo = pickList(birthFrame, {"monthCombo", "Month of birth", kLayout.monthCombo});
    m_yearCombo = pickList(birthFrame, {"yearCombo", "Year of birth", kLayout.yearCombo});
    caption(birthFrame, QStringLiteral("Your Time of Birth"), kLayout.timeCaption);
    m_hourCombo = pickList(birthFrame, {"hourCombo", "Hour of birth", kLayout.hourCombo});
    m_minuteCombo = pickList(birthFrame, {"minuteCombo", "Minute of birth", kLayout.minuteCombo});
    m_secondCombo = pickList(birthFrame, {"secondCombo", "Second of birth", kLayout.secondCombo});

    m_readingButton = new QPushButton(QStringLiteral("&Get My Interpretation"), nameFrame);
    m_readingButton->setObjectName(QStringLiteral("readingButton"));
    m_readingButton->setAccessibleName(QStringLiteral("Get My Interpretation"));
    m_readingButton->setFont(theme::font(theme::Bold));
    theme::greyButton(m_readingButton);
    theme::place(m_readingButton, kLayout.readingButton);
    connect(m_readingButton, &QPushButton::clicked, this, &InputWindow::requestReading);

    QFrame *offerStrip = theme::darkStrip(client(), kLayout.offerStrip);
    offerStrip->setObjectName(QStringLiteral("offerStrip"));
    addOffers(offerStrip, kLayout.offers, Qt::AlignCenter);
}

void InputWindow::createMenus()
{
    QMenu *file = addFileMenu();
    file->addAction(QStringLiteral("Get My &Interpretation"), this, &InputWindow::requestReading)
        ->setObjectName(QStringLiteral("readingAction"));
    file->addAction(QStringLiteral("E&xit"), this, &QWidget::close)->setObjectName(QStringLiteral("exitAction"));
    addHelpMenus();
}

void InputWindow::setFocusOrder()
{
    const QList<QWidget *> order{m_firstNameEdit, m_middleNameEdit, m_lastNameEdit, m_readingButton, m_secondCombo,
                                 m_minuteCombo,   m_hourCombo,      m_dayCombo,     m_monthCombo,    m_yearCombo};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void InputWindow::fillLists()
{
    setNumbers(m_dayCombo, 1, 31);
    QStringList months;
    for (std::string_view month : numerology::kMonthNames)
        months << QString::fromLatin1(month.data(), static_cast<qsizetype>(month.size()));
    setEntries(m_monthCombo, months);
    setNumbers(m_yearCombo, kFirstBirthYear, kLastBirthYear);
    setNumbers(m_hourCombo, 0, 23);
    setNumbers(m_minuteCombo, 0, 59);
    setNumbers(m_secondCombo, 0, 59);
    for (QComboBox *list : {m_dayCombo, m_monthCombo, m_yearCombo, m_hourCombo, m_minuteCombo, m_secondCombo})
        list->setCurrentIndex(0);
}

ReadingRequest InputWindow::request() const
{
    ReadingRequest request;
    request.firstName = m_firstNameEdit->text();
    request.middleName = m_middleNameEdit->text();
    request.lastName = m_lastNameEdit->text();
    request.year = kFirstBirthYear + m_yearCombo->currentIndex();
    request.month = m_monthCombo->currentIndex() + 1;
    request.day = m_dayCombo->currentIndex() + 1;
    request.hour = m_hourCombo->currentIndex();
    request.minute = m_minuteCombo->currentIndex();
    request.second = m_secondCombo->currentIndex();
    return request;
}

void InputWindow::requestReading()
{
    const ReadingRequest request = this->request();
    const std::optional<ReadingRequest::Refusal> refusal = request.refusal();
    if (!refusal) {
        emit readingRequested(request.person());
        return;
    }
    showMessage(refusal->message);
    if (refusal->field == ReadingRequest::Field::FirstName)
        m_firstNameEdit->setFocus();
    else if (refusal->field == ReadingRequest::Field::LastName)
        m_lastNameEdit->setFocus();
}

void InputWindow::clearNamesAndShow()
{
    // Emptied with setText, which also drops each box's undo history: clear() keeps every key
    // typed and every name removed for Undo, so the history of a box would grow with each reading
    // for the rest of the run.
    for (QLineEdit *box : {m_firstNameEdit, m_middleNameEdit, m_lastNameEdit})
        box->setText(QString());
    show();
    m_firstNameEdit->setFocus();
}
