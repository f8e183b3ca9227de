#include "ResultsWindow.h"

#include "ClipboardGuard.h"
#include "DescriptionBox.h"
#include "TabStrip.h"
#include "Theme.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

using theme::px;

namespace {

constexpr int kClientWidth = theme::px(7830);

struct ResultTab {
    const char *caption;     // the tab's caption
    const char *captionLine; // the caption line's text before the value
    const char *boxName;
    const char *spokenName;
};

constexpr ResultTab kTabs[6] = {
    {"Lucky Number", "Lucky Number is", "luckyNumberBox", "Lucky Number description"},
    {"Lucky Color", "Lucky Color is", "luckyColorBox", "Lucky Color description"},
    {"Money Number", "Money Number is", "moneyNumberBox", "Money Number description"},
    {"First Health Indication", "First Health Indication Number is", "firstHealthIndicationBox",
     "First Health Indication description"},
    {"First Health Influence", "First Health Influence Number is", "firstHealthInfluenceBox",
     "First Health Influence description"},
    {"Second Health Indication", "Second Health Indication Number is", "secondHealthIndicationBox",
     "Second Health Indication description"},
};

QString valueText(const numerology::Interpretation &reading, int index)
{
    switch (index) {
    case 0: return QString::number(reading.luckyNumber);
    case 1: return QString::fromUtf8(reading.luckyColor.data(), static_cast<qsizetype>(reading.luckyColor.size()));
    case 2: return QString::number(reading.moneyNumber);
    case 3: return QString::number(reading.firstHealthIndication);
    case 4: return QString::number(reading.firstHealthInfluence);
    default: return QString::number(reading.secondHealthIndication);
    }
}

} // namespace

ResultsWindow::ResultsWindow(Platform platform)
    : BrandedWindow(platform, QStringLiteral("resultsWindow"), kClientWidth)
{
    createControls();
    createMenus();
    setFocusOrder();
    theme::fixSize(this, px(7830), px(5220) + menuBar()->sizeHint().height());
}

void ResultsWindow::createControls()
{
    const int width = kClientWidth;
    auto *frame = new QFrame(client());
    frame->setObjectName(QStringLiteral("resultFrame"));
    frame->setFrameShape(QFrame::Box);
    theme::paint(frame, QPalette::WindowText, theme::kDarkRed);
    frame->setGeometry(4, 30, width - 8, 240);

    auto *title = new QLabel(QStringLiteral("Larkspire Interpretation"), frame);
    title->setObjectName(QStringLiteral("titleLabel"));
    title->setFont(theme::verdana(9.75, true, true));
    theme::paint(title, QPalette::WindowText, QColor(255, 0, 0));
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(4, 4, frame->width() - 8, 18);

    m_captionLabel = new QLabel(QStringLiteral("Second Health Indication"), frame);
    m_captionLabel->setObjectName(QStringLiteral("captionLabel"));
    m_captionLabel->setTextFormat(Qt::PlainText);
    m_captionLabel->setFont(theme::verdana(8.25, true));
    theme::paint(m_captionLabel, QPalette::WindowText, theme::kYellow);
    m_captionLabel->setAlignment(Qt::AlignCenter);
    m_captionLabel->setGeometry(4, 24, frame->width() - 8, 18);

    m_resultTabs = new TabStrip(frame);
    m_resultTabs->setObjectName(QStringLiteral("resultTabs"));
    m_resultTabs->setFont(theme::verdana(8.25, true));
    m_resultTabs->setAccessibleName(QStringLiteral("Results"));
    theme::paint(m_resultTabs, QPalette::WindowText, Qt::black);
    for (const ResultTab &tab : kTabs)
        m_resultTabs->addTab(QString::fromLatin1(tab.caption));
    const int tabHeight = m_resultTabs->sizeHint().height();
    m_resultTabs->setGeometry(4, 46, frame->width() - 8, tabHeight);
    // A click on the tab already shown still refreshes its box and caption.
    connect(m_resultTabs, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0)
            m_resultTabs->setCurrentIndex(index);
        showResult(m_resultTabs->currentIndex());
    });
    connect(m_resultTabs, &QTabBar::currentChanged, this, &ResultsWindow::showResult);

    // All six boxes share one rectangle inside the tab strip's page area; each starts with its
    // placeholder.
    const QRect page(4, 46 + tabHeight, frame->width() - 8, frame->height() - 50 - tabHeight);
    const Reading placeholders = Reading::placeholders();
    for (std::size_t i = 0; i < 6; ++i) {
        auto *box = new DescriptionBox(QString::fromLatin1(kTabs[i].boxName), placeholders.descriptions[i], frame);
        box->setGeometry(page);
        box->setAccessibleName(QString::fromLatin1(kTabs[i].spokenName));
        box->setFont(theme::verdana(8.25));
        // Every change of a box's text and every mouse event over it empties the clipboard.
        connect(box, &QPlainTextEdit::textChanged, this, [this] { m_platform.clipboard.clear(); });
        new ClipboardGuard(box->viewport(), m_platform.clipboard);
        box->setVisible(i == 0);
        m_descriptionBoxes[i] = box;
    }

    QFrame *strip = theme::darkStrip(client(), 0, 274, width, px(5220) - 274);
    strip->setObjectName(QStringLiteral("offerStrip"));
    addOffers(strip, QRect(6, 4, 338, strip->height() - 8), Qt::AlignLeft | Qt::AlignVCenter);
    m_printButton = addButton(strip, "printButton", "&Print", "Print", 352);
    m_backButton = addButton(strip, "backButton", "&Back", "Back", 436);
    connect(m_printButton, &QPushButton::clicked, this, &ResultsWindow::printRequested);
    connect(m_backButton, &QPushButton::clicked, this, &ResultsWindow::backRequested);

    // The tabs follow Ctrl+Tab and Ctrl+PgDn forwards, Ctrl+Shift+Tab and Ctrl+PgUp backwards,
    // round from the last to the first.
    const auto step = [this](int by) {
        m_resultTabs->setCurrentIndex((m_resultTabs->currentIndex() + by + 6) % 6);
    };
    for (const QKeySequence &keys : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
        new QShortcut(keys, this, this, [step] { step(1); });
    for (const QKeySequence &keys : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                     QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        new QShortcut(keys, this, this, [step] { step(-1); });
}

QPushButton *ResultsWindow::addButton(QWidget *strip, const char *name, const char *caption, const char *spoken, int x)
{
    auto *button = new QPushButton(QString::fromLatin1(caption), strip);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(QString::fromLatin1(spoken));
    theme::greyButton(button);
    button->setFont(theme::verdana(8.25, true));
    button->setGeometry(x, (strip->height() - 26) / 2, 78, 26);
    return button;
}

void ResultsWindow::createMenus()
{
    QMenu *file = addFileMenu();
    file->addAction(QStringLiteral("Print"), this, &ResultsWindow::printRequested)->setObjectName(QStringLiteral("printAction"));
    file->addAction(QStringLiteral("&Back"), this, &ResultsWindow::backRequested)->setObjectName(QStringLiteral("backAction"));
    file->addAction(QStringLiteral("Exit"), this, &QWidget::close)->setObjectName(QStringLiteral("exitAction"));
    addHelpMenus();
}

void ResultsWindow::setFocusOrder()
{
    for (std::size_t i = 0; i + 1 < m_descriptionBoxes.size(); ++i)
        setTabOrder(m_descriptionBoxes[i], m_descriptionBoxes[i + 1]);
    setTabOrder(m_descriptionBoxes.back(), m_resultTabs);
    setTabOrder(m_resultTabs, m_printButton);
    setTabOrder(m_printButton, m_backButton);
}

void ResultsWindow::showReading(const Reading &reading)
{
    m_interpretation = reading.interpretation;
    for (std::size_t i = 0; i < 6; ++i)
        m_descriptionBoxes[i]->setText(reading.descriptions[i]);
    {
        const QSignalBlocker quiet(m_resultTabs);
        m_resultTabs->setCurrentIndex(0);
    }
    showResult(0);
    const bool first = !isVisible() && !testAttribute(Qt::WA_WState_ExplicitShowHide);
    show();
    if (first)
        theme::centre(this);
    m_descriptionBoxes[0]->setFocus();
}

void ResultsWindow::showResult(int index)
{
    if (index < 0 || index > 5)
        return;
    DescriptionBox *shown = m_descriptionBoxes[static_cast<std::size_t>(index)];
    shown->setVisible(true);
    for (DescriptionBox *box : m_descriptionBoxes) {
        if (box != shown)
            box->setVisible(false);
    }
    m_captionLabel->setText(QString::fromLatin1(kTabs[index].captionLine) + QStringLiteral("  ")
                            + valueText(m_interpretation, index));
}
