#include "frmSave.h"

#include "ClipboardGuard.h"
#include "LinkLabel.h"
#include "LongRunWrap.h"
#include "RtfWriter.h"
#include "SafeFiles.h"
#include "WindowLook.h"
#include "modHelp.h"
#include "modRTB.h"

#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>

using look::Px;

namespace {

LinkLabel *ReportLink(QWidget *parent, const char *name, const QString &text, QRect twips)
{
    auto *label = new LinkLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(look::Verdana(8.25, true, true));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(Px(twips.x()), Px(twips.y()), Px(twips.width()), Px(twips.height()));
    return label;
}

} // namespace

frmSave::frmSave(Platform platform, ReportInputs inputs, QWidget *parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_inputs(std::move(inputs))
{
    setObjectName(QStringLiteral("frmSave"));
    look::SetUpWindow(this);
    look::FixSize(this, Px(7725), Px(7590));
    createControls();
    Form_Load();
}

frmSave::~frmSave()
{
    Form_Unload();
}

void frmSave::ShowModal(Platform platform, const ReportInputs &inputs, QWidget *parent)
{
    frmSave report(platform, inputs, parent);
    report.setWindowModality(Qt::ApplicationModal);
    look::Centre(&report);
    report.exec();
}

void frmSave::createControls()
{
    RTB = new QTextEdit(this);
    RTB->setObjectName(QStringLiteral("RTB"));
    RTB->setAccessibleName(QStringLiteral("Report"));
    RTB->setAcceptRichText(false);
    RTB->setTabChangesFocus(true);
    RTB->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RTB->setGeometry(Px(30), Px(390), Px(7665), Px(6135));
    RTB->document()->setDefaultFont(look::Verdana(kReportPointSize));
    RTB->setFont(look::Verdana(kReportPointSize));
    look::Paint(RTB, QPalette::Base, QColor(192, 255, 255));
    look::Paint(RTB, QPalette::Text, Qt::black);
    new LongRunWrap(RTB);
    new ClipboardGuard(RTB->viewport(), m_platform.clipboard);
    connect(RTB, &QTextEdit::textChanged, this, [this] { m_platform.clipboard.clear(); });

    cmdPrint = new QPushButton(QStringLiteral("&Print"), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint->setAccessibleName(QStringLiteral("Print"));
    cmdPrint->setFont(look::Verdana(8.25, true));
    cmdPrint->setGeometry(Px(6555), Px(6570), Px(1125), Px(345));
    cmdSave = new QPushButton(QStringLiteral("&Save"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setAccessibleName(QStringLiteral("Save"));
    QFont sansSerif(QStringLiteral("MS Sans Serif"));
    sansSerif.setPointSizeF(8.25);
    sansSerif.setBold(true);
    sansSerif.setStyleHint(QFont::SansSerif);
    cmdSave->setFont(sansSerif);
    cmdSave->setGeometry(Px(5400), Px(6570), Px(1125), Px(345));
    for (QPushButton *button : {cmdPrint, cmdSave}) {
        button->setAutoDefault(false);
        look::GreyButton(button);
    }
    connect(cmdPrint, &QPushButton::clicked, this, &frmSave::cmdPrint_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmSave::cmdSave_Click);
    setTabOrder(RTB, cmdPrint);
    setTabOrder(cmdPrint, cmdSave);

    Label14 = ReportLink(this, "Label14", QStringLiteral("Join our numerology discussion forum"), {1440, 0, 4830, 195});
    Label1 = ReportLink(this, "Label1", QStringLiteral("Click here to visit our web site"), {1620, 180, 4470, 195});
    // Created in this order so that lblCobrand lies in front, as the window is stored.
    lblFullBrand = ReportLink(this, "lblFullBrand",
                              kFullBrandOffer,
                              {30, 6960, 7665, 615});
    lblCobrand = ReportLink(this, "lblCobrand",
                            kCoBrandOffer,
                            {30, 6960, 7665, 615});
    for (LinkLabel *label : {lblFullBrand, lblCobrand}) {
        look::Paint(label, QPalette::WindowText, QColor(0, 0, 255));
        label->setAutoFillBackground(true);
    }
    connect(Label14, &LinkLabel::clicked, this, [this] { OpenHomePage(m_platform.browser); });
    connect(Label1, &LinkLabel::clicked, this, [this] { OpenHomePage(m_platform.browser); });
    connect(lblCobrand, &LinkLabel::clicked, this, [this] { OpenCoBrandPage(m_platform.browser); });
    connect(lblFullBrand, &LinkLabel::clicked, this, [this] { OpenFullBrandPage(m_platform.browser); });
}

void frmSave::Form_Load()
{
    HookReportLinks(RTB, this, m_platform.browser);
    QTextCursor cursor(RTB->document());
    InsertRuns(cursor, ReportRuns(m_inputs));
    RTB->moveCursor(QTextCursor::Start);
    RTB->setFocus();
}

void frmSave::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmSave::Form_Unload()
{
    UnhookReportLinks();
}

void frmSave::cmdSave_Click()
{
    const auto path = m_platform.dialogs.askSaveFileName(
        this, {kApplicationTitle, QStringLiteral("Rich Text Format (*.rtf)"), QStringLiteral("rtf")});
    if (!path)
        return;
    // A failed save never leaves an existing file damaged, and is never reported as success.
    const QString failure = safefiles::writeFileAtomically(*path, WriteRtf(*RTB->document()));
    if (failure.isEmpty())
        return;
    m_platform.messages.information(QStringLiteral("The report could not be saved to %1.\r%2")
                                        .arg(QDir::toNativeSeparators(*path), failure),
                                    kApplicationTitle);
}

std::unique_ptr<QTextDocument> frmSave::PrintableDocument() const
{
    const QTextCursor cursor = RTB->textCursor();
    std::unique_ptr<QTextDocument> document;
    if (!cursor.hasSelection()) {
        document.reset(RTB->document()->clone());
    } else {
        document = std::make_unique<QTextDocument>();
        document->setDefaultFont(RTB->document()->defaultFont());
        document->setDefaultTextOption(RTB->document()->defaultTextOption());
        QTextCursor(document.get()).insertFragment(cursor.selection());
    }
    // The printer lays the document out on its own pages: a clone keeps the on-screen page width,
    // with which Qt's pagination of a long paragraph that breaks anywhere never ends.
    document->setPageSize(QSizeF());
    return document;
}

void frmSave::cmdPrint_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Larkspire Interpretation"));
    const bool hasSelection = RTB->textCursor().hasSelection();
    if (!m_platform.dialogs.askPrinter(this, printer, hasSelection))
        return;
    // What is printed depends on the box's selection alone, not on the range chosen in the dialog.
    printer.setPrintRange(QPrinter::AllPages);
    PrintableDocument()->print(&printer);
}
