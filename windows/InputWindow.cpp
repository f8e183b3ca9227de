#include "InputWindow.h"

#include "CaptionFrame.h"
#include "NameKeyFilter.h"
#include "Theme.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStringListModel>

using theme::px;

namespace {

constexpr int kClientWidth = theme::px(7125);

const QStringList kMonthNames{
    QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
    QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
    QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
    QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December"),
};

QLabel *caption(QWidget *parent, const QString &text, int x, int y, int width)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(x, y, width, 16);
    return label;
}

QComboBox *pickList(QWidget *parent, const QString &name, const QString &accessibleName, int x, int y, int width)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    list->setEditable(false);
    list->setMaxVisibleItems(12);
    list->setGeometry(x, y, width, 22);
    // Screen readers on Linux name a list by its current entry and ignore its accessible name;
    // a label that is the list's buddy names it ("Year of birth, 1900"), hidden as it is.
    auto *label = new QLabel(accessibleName, parent);
    label->setObjectName(name + QStringLiteral("Label"));
    label->setBuddy(list);
    label->hide();
    return list;
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

InputWindow::InputWindow(Platform platform)
    : BrandedWindow(platform, QStringLiteral("inputWindow"), kClientWidth)
{
    createControls();
    createMenus();
    setFocusOrder();
    fillLists();
    theme::fixSize(this, px(7125), px(4515) + menuBar()->sizeHint().height());
    m_firstNameEdit->setFocus();
}

void InputWindow::createControls()
{
    const int width = kClientWidth;
    auto *nameFrame = new CaptionFrame(QStringLiteral("Please Fill In The Below Details"), client());
    nameFrame->setObjectName(QStringLiteral("nameFrame"));
    nameFrame->setGeometry(6, 30, width - 12, 186);

    const int boxWidth = 143;
    caption(nameFrame, QStringLiteral("First Name"), 10, 22, boxWidth);
    caption(nameFrame, QStringLiteral("Middle Name"), 10 + boxWidth + 8, 22, boxWidth);
    caption(nameFrame, QStringLiteral(" Last Name"), 10 + 2 * (boxWidth + 8), 22, boxWidth);
    const auto nameEdit = [&](const QString &name, const QString &spoken, int column) {
        auto *edit = new QLineEdit(nameFrame);
        edit->setObjectName(name);
        edit->setAccessibleName(spoken);
        edit->setGeometry(10 + column * (boxWidth + 8), 40, boxWidth, 22);
        new NameKeyFilter(edit, [this] {
            m_platform.messages.information(QStringLiteral("Please Enter Only Alphabet"), kApplicationTitle);
        });
        return edit;
    };
    m_firstNameEdit = nameEdit(QStringLiteral("firstNameEdit"), QStringLiteral("First Name"), 0);
    m_middleNameEdit = nameEdit(QStringLiteral("middleNameEdit"), QStringLiteral("Middle Name"), 1);
    m_lastNameEdit = nameEdit(QStringLiteral("lastNameEdit"), QStringLiteral("Last Name"), 2);

    auto *birthFrame = new CaptionFrame(QStringLiteral("Your Birth Details"), nameFrame);
    birthFrame->setObjectName(QStringLiteral("birthFrame"));
    birthFrame->setGeometry(8, 72, width - 28, 72);
    caption(birthFrame, QStringLiteral("Your Date of Birth"), 10, 18, 200);
    m_dayCombo = pickList(birthFrame, QStringLiteral("dayCombo"), QStringLiteral("Day of birth"), 10, 38, 48);
    m_monthCombo = pickList(birthFrame, QStringLiteral("monthCombo"), QStringLiteral("Month of birth"), 62, 38, 100);
    m_yearCombo = pickList(birthFrame, QStringLiteral("yearCombo"), QStringLiteral("Year of birth"), 166, 38, 62);
    caption(birthFrame, QStringLiteral("Your Time of Birth"), 250, 18, 190);
    m_hourCombo = pickList(birthFrame, QStringLiteral("hourCombo"), QStringLiteral("Hour of birth"), 250, 38, 54);
    m_minuteCombo = pickList(birthFrame, QStringLiteral("minuteCombo"), QStringLiteral("Minute of birth"), 308, 38, 54);
    m_secondCombo = pickList(birthFrame, QStringLiteral("secondCombo"), QStringLiteral("Second of birth"), 366, 38, 54);

    m_readingButton = new QPushButton(QStringLiteral("&Get My Interpretation"), nameFrame);
    m_readingButton->setObjectName(QStringLiteral("readingButton"));
    m_readingButton->setAccessibleName(QStringLiteral("Get My Interpretation"));
    m_readingButton->setFont(theme::verdana(8.25, true));
    theme::greyButton(m_readingButton);
    m_readingButton->setGeometry((nameFrame->width() - 190) / 2, 150, 190, 28);
    connect(m_readingButton, &QPushButton::clicked, this, &InputWindow::requestReading);

    QFrame *offerStrip = theme::darkStrip(client(), 0, px(4515) - 80, width, 80);
    offerStrip->setObjectName(QStringLiteral("offerStrip"));
    addOffers(offerStrip, QRect(6, 6, width - 12, 68), Qt::AlignCenter);
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
    setEntries(m_monthCombo, kMonthNames);
    setNumbers(m_yearCombo, 1900, 2999);
    setNumbers(m_hourCombo, 0, 23);
    setNumbers(m_minuteCombo, 0, 59);
    setNumbers(m_secondCombo, 0, 59);
    for (QComboBox *list : {m_dayCombo, m_monthCombo, m_yearCombo, m_hourCombo, m_minuteCombo, m_secondCombo})
        list->setCurrentIndex(0);
}

bool InputWindow::validateInput()
{
    if (m_firstNameEdit->text().isEmpty()) {
        m_platform.messages.information(QStringLiteral("Please Enter Your First Name"), kApplicationTitle);
        m_firstNameEdit->setFocus();
        return false;
    }
    if (m_lastNameEdit->text().isEmpty()) {
        m_platform.messages.information(QStringLiteral("Please Enter Your Last Name"), kApplicationTitle);
        m_lastNameEdit->setFocus();
        return false;
    }
    const int year = m_yearCombo->currentText().trimmed().toInt();
    const int month = m_monthCombo->currentIndex() + 1;
    const int day = m_dayCombo->currentIndex() + 1;
    // Every year divisible by 4 is a leap year here, 1900 and 2100 included, as in the engine's
    // calendar: the check and the weekday of birth must agree.
    if (month == 2 && day > (year % 4 == 0 ? 29 : 28)) {
        m_platform.messages.information(QStringLiteral("Please Enter Correct Date Or Month!"), kApplicationTitle);
        return false;
    }
    // This message has a blank before its "!" and the February one has none; users and their
    // documentation know both texts as they are.
    if ((month == 4 || month == 6 || month == 9 || month == 11) && day == 31) {
        m_platform.messages.information(QStringLiteral("Please Enter Correct Date Or Month !"), kApplicationTitle);
        return false;
    }
    return true;
}

numerology::PersonDetails InputWindow::personDetails() const
{
    numerology::PersonDetails person;
    person.firstName = m_firstNameEdit->text().trimmed().toStdString();
    person.middleName = m_middleNameEdit->text().trimmed().toStdString();
    person.lastName = m_lastNameEdit->text().trimmed().toStdString();
    person.birthDay = static_cast<std::int16_t>(m_dayCombo->currentText().trimmed().toShort());
    person.birthMonth = m_monthCombo->currentText().trimmed().toStdString();
    person.birthYear = static_cast<std::int16_t>(m_yearCombo->currentText().trimmed().toShort());
    person.birthHour = static_cast<std::int16_t>(m_hourCombo->currentText().toShort());
    return person;
}

void InputWindow::requestReading()
{
    if (validateInput())
        emit readingRequested(personDetails());
}

void InputWindow::clearNamesAndShow()
{
    m_firstNameEdit->clear();
    m_middleNameEdit->clear();
    m_lastNameEdit->clear();
    show();
    m_firstNameEdit->setFocus();
}
