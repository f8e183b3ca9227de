#include "report/ReportDialog.h"

#include "model/Product.h"
#include "model/WebPages.h"
#include "platform/SafeFiles.h"
#include "report/ReportDocument.h"
#include "report/ReportEdit.h"
#include "report/ReportLinks.h"
#include "report/RtfWriter.h"
#include "report/SaveAndPrintDialogs.h"
#include "widgets/ClipboardGuard.h"
#include "widgets/LinkLabel.h"
#include "widgets/Messages.h"
#include "widgets/Theme.h"
#include "widgets/WaitCursor.h"

#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>

using theme::Twips;

namespace {

// The window's design, in twips.
constexpr struct {
    QSize client{7725, 7590};
    Twips reportEdit{30, 390, 7665, 6135};
    Twips printButton{6555, 6570, 1125, 345};
    Twips saveButton{5400, 6570, 1125, 345};
    Twips forumLink{1440, 0, 4830, 195};
    Twips homeLink{1620, 180, 4470, 195};
    Twips offers{30, 6960, 7665, 615}; // the two offers, one on top of the other
} kLayout;

} // namespace

ReportDialog::ReportDialog(Reading reading, SaveAndPrintDialogs &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_reading(std::move(reading))
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("reportDialog"));
    theme::setUpWindow(this);
    // The title is the program's, as on every window: this tells a listener which window it is.
    setAccessibleDescription(QStringLiteral("The report of the reading, to save or print"));
    setFixedSize(theme::pixels(kLayout.client.width()), theme::pixels(kLayout.client.height()));
    createControls();
    m_links = std::make_unique<ReportLinks>(m_reportEdit);
    composeDocument();
}

ReportDialog::~ReportDialog() = default;

void ReportDialog::showModal(const Reading &reading, SaveAndPrintDialogs &dialogs, QWidget *parent)
{
    ReportDialog report(reading, dialogs, parent);
    report.setWindowModality(Qt::ApplicationModal);
    theme::centre(&report);
    report.exec();
}

void ReportDialog::createControls()
{
    m_reportEdit = new ReportEdit(this);
    m_reportEdit->setObjectName(QStringLiteral("reportEdit"));
    m_reportEdit->setAccessibleName(QStringLiteral("Report"));
    m_reportEdit->setTabChangesFocus(true);
    m_reportEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    theme::place(m_reportEdit, kLayout.reportEdit);
    m_reportEdit->setFont(theme::font(theme::Plain, theme::kLargePoints));
    theme::paint(m_reportEdit, QPalette::Base, theme::kPaleCyan);
    theme::paint(m_reportEdit, QPalette::Text, Qt::black);
    new ClipboardGuard(m_reportEdit->viewport());
    connect(m_reportEdit, &QTextEdit::textChanged, this, &ClipboardGuard::emptyClipboard);

    auto *printButton = theme::greyButton(this, "printButton", QStringLiteral("&Print"), QStringLiteral("Print"),
                                          theme::font(theme::Bold), kLayout.printButton);
    QFont sansSerif = theme::font(theme::Bold);
    sansSerif.setFamily(QStringLiteral("MS Sans Serif"));
    sansSerif.setStyleHint(QFont::SansSerif);
    auto *saveButton = theme::greyButton(this, "saveButton", QStringLiteral("&Save"), QStringLiteral("Save"), sansSerif,
                                         kLayout.saveButton);
    connect(printButton, &QPushButton::clicked, this, &ReportDialog::print);
    connect(saveButton, &QPushButton::clicked, this, &ReportDialog::saveAsRtf);
    setTabOrder(m_reportEdit, printButton);
    setTabOrder(printButton, saveButton);
    // Shortcuts users expect; none of them types anything into the report.
    new QShortcut(QKeySequence::Save, this, this, &ReportDialog::saveAsRtf);
    new QShortcut(QKeySequence::Print, this, this, &ReportDialog::print);
    new QShortcut(QKeySequence::HelpContents, this, this, &webpages::openOnlineHelp);

    const QFont linkFont = theme::font(theme::Bold | theme::Underlined);
    auto *forumLink = placedLink(this, "forumLink", QStringLiteral("Join our numerology discussion forum"), linkFont,
                                 Qt::AlignCenter, kLayout.forumLink);
    auto *homeLink = placedLink(this, "homeLink", QStringLiteral("Click here to visit our web site"), linkFont,
                                Qt::AlignCenter, kLayout.homeLink);
    // The co-branding offer lies in front; the report never changes it.
    placedOffers(this, kLayout.offers, theme::kBlue, Qt::AlignCenter).coBrand->raise();
    connect(forumLink, &LinkLabel::clicked, this, &webpages::openHomePage);
    connect(homeLink, &LinkLabel::clicked, this, &webpages::openHomePage);
}

void ReportDialog::composeDocument()
{
    composeReport(*m_reportEdit->document(), m_reading);
    m_reportEdit->moveCursor(QTextCursor::Start);
    m_reportEdit->setFocus();
}

void ReportDialog::done(int result)
{
    // Links end with the window, before its document is discarded.
    m_links.reset();
    QDialog::done(result);
}

void ReportDialog::saveAsRtf()
{
    const auto path = m_dialogs.askSaveFileName(
        this, {kApplicationTitle, QStringLiteral("Rich Text Format (*.rtf)"), QStringLiteral("rtf")});
    if (!path)
        return;
    // A failed save never leaves an existing file damaged, and is never reported as success.
    QString failure;
    {
        const WaitCursor busy;
        failure = safefiles::writeFileAtomically(*path, writeRtf(*m_reportEdit->document()));
    }
    if (failure.isEmpty())
        return;
    showWarning(QStringLiteral("The report could not be saved to %1.\n%2").arg(QDir::toNativeSeparators(*path), failure));
}

std::unique_ptr<QTextDocument> ReportDialog::printableDocument() const
{
    return printableReport(*m_reportEdit->document(), m_reportEdit->textCursor().selection());
}

void ReportDialog::print()
{
    QPrinter printer(QPrinter::HighResolution);
    const bool hasSelection = m_reportEdit->textCursor().hasSelection();
    if (!m_dialogs.askPrinter(this, printer, hasSelection))
        return;
    // What is printed depends on the box's selection alone, not on the range chosen in the dialog.
    const WaitCursor busy;
    printReport(*printableDocument(), printer);
}
