#include "ReportDialog.h"

#include "ClipboardGuard.h"
#include "LinkLabel.h"
#include "LongRunWrap.h"
#include "ReportDocument.h"
#include "ReportLinks.h"
#include "RtfWriter.h"
#include "SafeFiles.h"
#include "Theme.h"
#include "WebPages.h"

#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>

using theme::px;

namespace {

LinkLabel *reportLink(QWidget *parent, const char *name, const QString &text, QRect twips)
{
    auto *label = new LinkLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(theme::verdana(8.25, true, true));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
    return label;
}

} // namespace

ReportDialog::ReportDialog(Platform platform, Reading reading, QWidget *parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_reading(std::move(reading))
{
    setObjectName(QStringLiteral("reportDialog"));
    theme::setUpWindow(this);
    theme::fixSize(this, px(7725), px(7590));
    createControls();
    m_links = std::make_unique<ReportLinks>(m_reportEdit, m_platform.browser);
    composeDocument();
}

ReportDialog::~ReportDialog() = default;

void ReportDialog::showModal(Platform platform, const Reading &reading, QWidget *parent)
{
    ReportDialog report(platform, reading, parent);
    report.setWindowModality(Qt::ApplicationModal);
    theme::centre(&report);
    report.exec();
}

void ReportDialog::createControls()
{
    m_reportEdit = new QTextEdit(this);
    m_reportEdit->setObjectName(QStringLiteral("reportEdit"));
    m_reportEdit->setAccessibleName(QStringLiteral("Report"));
    m_reportEdit->setAcceptRichText(false);
    m_reportEdit->setTabChangesFocus(true);
    m_reportEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_reportEdit->setGeometry(px(30), px(390), px(7665), px(6135));
    m_reportEdit->document()->setDefaultFont(theme::verdana(kReportPointSize));
    m_reportEdit->setFont(theme::verdana(kReportPointSize));
    theme::paint(m_reportEdit, QPalette::Base, QColor(192, 255, 255));
    theme::paint(m_reportEdit, QPalette::Text, Qt::black);
    new LongRunWrap(m_reportEdit);
    new ClipboardGuard(m_reportEdit->viewport(), m_platform.clipboard);
    connect(m_reportEdit, &QTextEdit::textChanged, this, [this] { m_platform.clipboard.clear(); });

    m_printButton = new QPushButton(QStringLiteral("&Print"), this);
    m_printButton->setObjectName(QStringLiteral("printButton"));
    m_printButton->setAccessibleName(QStringLiteral("Print"));
    m_printButton->setFont(theme::verdana(8.25, true));
    m_printButton->setGeometry(px(6555), px(6570), px(1125), px(345));
    m_saveButton = new QPushButton(QStringLiteral("&Save"), this);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_saveButton->setAccessibleName(QStringLiteral("Save"));
    QFont sansSerif(QStringLiteral("MS Sans Serif"));
    sansSerif.setPointSizeF(8.25);
    sansSerif.setBold(true);
    sansSerif.setStyleHint(QFont::SansSerif);
    m_saveButton->setFont(sansSerif);
    m_saveButton->setGeometry(px(5400), px(6570), px(1125), px(345));
    for (QPushButton *button : {m_printButton, m_saveButton}) {
        button->setAutoDefault(false);
        theme::greyButton(button);
    }
    connect(m_printButton, &QPushButton::clicked, this, &ReportDialog::print);
    connect(m_saveButton, &QPushButton::clicked, this, &ReportDialog::saveAsRtf);
    setTabOrder(m_reportEdit, m_printButton);
    setTabOrder(m_printButton, m_saveButton);
    // Shortcuts users expect; none of them types anything into the report.
    new QShortcut(QKeySequence::Save, this, this, &ReportDialog::saveAsRtf);
    new QShortcut(QKeySequence::Print, this, this, &ReportDialog::print);
    new QShortcut(QKeySequence::HelpContents, this, this, [this] { WebPages(m_platform.browser).openOnlineHelp(); });

    const WebPages pages(m_platform.browser);
    auto *forumLink = reportLink(this, "forumLink", QStringLiteral("Join our numerology discussion forum"), {1440, 0, 4830, 195});
    auto *homeLink = reportLink(this, "homeLink", QStringLiteral("Click here to visit our web site"), {1620, 180, 4470, 195});
    // Made in this order so that the co-branding offer lies in front; the report never changes it.
    auto *fullBrandOffer = reportLink(this, "fullBrandOffer", kFullBrandOffer, {30, 6960, 7665, 615});
    auto *coBrandOffer = reportLink(this, "coBrandOffer", kCoBrandOffer, {30, 6960, 7665, 615});
    for (LinkLabel *offer : {fullBrandOffer, coBrandOffer}) {
        theme::paint(offer, QPalette::WindowText, QColor(0, 0, 255));
        offer->setAutoFillBackground(true);
    }
    connect(forumLink, &LinkLabel::clicked, this, [pages] { pages.openHomePage(); });
    connect(homeLink, &LinkLabel::clicked, this, [pages] { pages.openHomePage(); });
    connect(coBrandOffer, &LinkLabel::clicked, this, [pages] { pages.openCoBrandPage(); });
    connect(fullBrandOffer, &LinkLabel::clicked, this, [pages] { pages.openFullBrandPage(); });
}

void ReportDialog::composeDocument()
{
    QTextCursor cursor(m_reportEdit->document());
    insertRuns(cursor, reportRuns(m_reading));
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
    const auto path = m_platform.dialogs.askSaveFileName(
        this, {kApplicationTitle, QStringLiteral("Rich Text Format (*.rtf)"), QStringLiteral("rtf"),
               QStringLiteral("Larkspire Interpretation.rtf")});
    if (!path)
        return;
    // A failed save never leaves an existing file damaged, and is never reported as success.
    const QString failure = safefiles::writeFileAtomically(*path, writeRtf(*m_reportEdit->document()));
    if (failure.isEmpty())
        return;
    m_platform.messages.information(QStringLiteral("The report could not be saved to %1.\r%2")
                                        .arg(QDir::toNativeSeparators(*path), failure),
                                    kApplicationTitle);
}

std::unique_ptr<QTextDocument> ReportDialog::printableDocument() const
{
    const QTextCursor cursor = m_reportEdit->textCursor();
    std::unique_ptr<QTextDocument> document;
    if (!cursor.hasSelection()) {
        document.reset(m_reportEdit->document()->clone());
    } else {
        document = std::make_unique<QTextDocument>();
        document->setDefaultFont(m_reportEdit->document()->defaultFont());
        document->setDefaultTextOption(m_reportEdit->document()->defaultTextOption());
        QTextCursor(document.get()).insertFragment(cursor.selection());
    }
    // The printer lays the document out on its own pages: a clone keeps the on-screen page width,
    // with which Qt's pagination of a long paragraph that breaks anywhere never ends.
    document->setPageSize(QSizeF());
    return document;
}

void ReportDialog::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Larkspire Interpretation"));
    const bool hasSelection = m_reportEdit->textCursor().hasSelection();
    if (!m_platform.dialogs.askPrinter(this, printer, hasSelection))
        return;
    // What is printed depends on the box's selection alone, not on the range chosen in the dialog.
    printer.setPrintRange(QPrinter::AllPages);
    printableDocument()->print(&printer);
}
