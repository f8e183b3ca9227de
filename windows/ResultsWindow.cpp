#include "windows/ResultsWindow.h"

#include "model/Product.h"
#include "widgets/ClipboardGuard.h"
#include "widgets/DescriptionBox.h"
#include "widgets/TabStrip.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

using theme::Twips;

namespace {

// The window's design, in twips. The result frame holds the title, the caption line and the
// pages: the tab strip at its top, the description boxes (one shown at a time) below it.
constexpr struct {
    QSize client{7830, 5220};
    Twips bannerStrip{0, 0, 7830, 390};
    Twips banner{60, 30, 7710, 330};
    Twips resultFrame{60, 450, 7710, 3600};
    Twips title{60, 60, 7590, 270};
    Twips captionLine{60, 360, 7590, 270};
    Twips pages{60, 690, 7590, 2850};
    Twips offerStrip{0, 4110, 7830, 1110};
    Twips offers{90, 60, 5070, 990};
    Twips printButton{5280, 360, 1170, 390};
    Twips backButton{6540, 360, 1170, 390};
} kLayout;

} // namespace

ResultsWindow::ResultsWindow()
    : BrandedWindow(QStringLiteral("resultsWindow"), kLayout.bannerStrip, kLayout.banner)
    , m_reading(Reading::placeholders())
{
    // The title is the program's, as on every window: this tells a listener which window it is.
    setAccessibleDescription(QStringLiteral("The reading, one result on each tab"));
    createControls();
    createMenus();
    setFocusOrder();
    fixClientSize(kLayout.client);
}

void ResultsWindow::createControls()
{
    auto *frame = new QFrame(client());
    frame->setObjectName(QStringLiteral("resultFrame"));
    frame->setFrameShape(QFrame::Box);
    theme::paint(frame, QPalette::WindowText, theme::kDarkRed);
    theme::place(frame, kLayout.resultFrame);

    auto *title = new QLabel(kReadingTitle, frame);
    title->setObjectName(QStringLiteral("titleLabel"));
    title->setFont(theme::font(theme::Bold | theme::Underlined, theme::kLargePoints));
    theme::paint(title, QPalette::WindowText, theme::kRed);
    title->setAlignment(Qt::AlignCenter);
    theme::place(title, kLayout.title);

    m_captionLabel = new QLabel(QStringLiteral("Second Health Indication"), frame);
    m_captionLabel->setObjectName(QStringLiteral("captionLabel"));
    m_captionLabel->setTextFormat(Qt::PlainText);
    m_captionLabel->setFont(theme::font(theme::Bold));
    theme::paint(m_captionLabel, QPalette::WindowText, theme::kYellow);
    m_captionLabel->setAlignment(Qt::AlignCenter);
    theme::place(m_captionLabel, kLayout.captionLine);

    auto *pages = new QWidget(frame);
    pages->setObjectName(QStringLiteral("resultPages"));
    theme::place(pages, kLayout.pages);
    auto *column = new QVBoxLayout(pages);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_resultTabs = new TabStrip(pages);
    m_resultTabs->setObjectName(QStringLiteral("resultTabs"));
    m_resultTabs->setFont(theme::font(theme::Bold));
    m_resultTabs->setAccessibleName(QStringLiteral("Results"));
    theme::paint(m_resultTabs, QPalette::WindowText, Qt::black);
    column->addWidget(m_resultTabs);

    // One box per result, each starting with its placeholder; only the current one is shown.
    m_descriptionBoxes = new QStackedWidget(pages);
    m_descriptionBoxes->setObjectName(QStringLiteral("descriptionBoxes"));
    column->addWidget(m_descriptionBoxes);
    for (const ResultInfo &info : kResults) {
        m_resultTabs->addTab(info.tabCaption);
        auto *box = new DescriptionBox(info.objectName, m_reading.description(info.result), m_descriptionBoxes);
        box->setAccessibleName(info.accessibleName);
        box->setFont(theme::font());
        // Every change of a box's text and every mouse event over it empties the clipboard.
        connect(box, &QPlainTextEdit::textChanged, this, &ClipboardGuard::emptyClipboard);
        new ClipboardGuard(box->viewport());
        m_descriptionBoxes->addWidget(box);
    }
    const auto showTab = [this](int index) {
        if (index >= 0)
            showResult(kResults[static_cast<std::size_t>(index)].result);
    };
    connect(m_resultTabs, &QTabBar::currentChanged, this, showTab);
    // A click on the tab already shown still refreshes its box and caption.
    connect(m_resultTabs, &QTabBar::tabBarClicked, this, showTab);

    QFrame *strip = theme::darkStrip(client(), kLayout.offerStrip);
    strip->setObjectName(QStringLiteral("offerStrip"));
    addOffers(strip, kLayout.offers, Qt::AlignLeft | Qt::AlignVCenter);
    auto *printButton = theme::greyButton(strip, "printButton", QStringLiteral("&Print"), QStringLiteral("Print"),
                                          theme::font(theme::Bold), kLayout.printButton);
    auto *backButton = theme::greyButton(strip, "backButton", QStringLiteral("&Back"), QStringLiteral("Back"),
                                         theme::font(theme::Bold), kLayout.backButton);
    connect(printButton, &QPushButton::clicked, this, &ResultsWindow::printRequested);
    connect(backButton, &QPushButton::clicked, this, &ResultsWindow::backRequested);
    m_printButton = printButton;
    m_backButton = backButton;

    // The tabs follow Ctrl+Tab and Ctrl+PgDn forwards, Ctrl+Shift+Tab and Ctrl+PgUp backwards,
    // round from the last to the first.
    const auto step = [this](int by) {
        const int count = static_cast<int>(kResults.size());
        m_resultTabs->setCurrentIndex((m_resultTabs->currentIndex() + by + count) % count);
    };
    for (const QKeySequence &keys : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
        new QShortcut(keys, this, this, [step] { step(1); });
    for (const QKeySequence &keys : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        new QShortcut(keys, this, this, [step] { step(-1); });
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
    QWidget *previous = nullptr;
    for (int i = 0; i < m_descriptionBoxes->count(); ++i) {
        if (previous)
            setTabOrder(previous, m_descriptionBoxes->widget(i));
        previous = m_descriptionBoxes->widget(i);
    }
    setTabOrder(previous, m_resultTabs);
    setTabOrder(m_resultTabs, m_printButton);
    setTabOrder(m_printButton, m_backButton);
}

void ResultsWindow::showReading(const Reading &reading)
{
    m_reading = reading;
    for (const ResultInfo &info : kResults) {
        auto *box = static_cast<DescriptionBox *>(m_descriptionBoxes->widget(static_cast<int>(indexOf(info.result))));
        box->setPlainText(reading.description(info.result));
        // A screen reader reading a box out hears the result and its value with it, as the caption
        // line shows them to the eye.
        box->setAccessibleDescription(captionLine(info.result));
    }
    // The strip tells a screen reader which tab loses the selection and which takes it; a strip
    // already on the first tab says nothing, so the first result is shown here too.
    m_resultTabs->setCurrentIndex(0);
    showResult(Result::LuckyNumber);
    show();
    if (!m_centred) {
        theme::centre(this);
        m_centred = true;
    }
    m_descriptionBoxes->currentWidget()->setFocus();
}

void ResultsWindow::showResult(Result result)
{
    m_descriptionBoxes->setCurrentIndex(static_cast<int>(indexOf(result)));
    m_captionLabel->setText(captionLine(result));
    // How the value was reached, for the eye on pointing and for a screen reader on request.
    const QString working = m_reading.working(result);
    m_captionLabel->setToolTip(working);
    m_captionLabel->setAccessibleDescription(working);
}

QString ResultsWindow::captionLine(Result result) const
{
    return infoOf(result).captionLine + QStringLiteral("  ") + m_reading.valueText(result);
}
