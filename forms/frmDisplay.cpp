#include "frmDisplay.h"

#include "ClipboardGuard.h"
#include "DescriptionBox.h"
#include "EndProgram.h"
#include "LinkLabel.h"
#include "SharedParts.h"
#include "TabStrip.h"
#include "WindowLook.h"
#include "frmMain.h"
#include "frmSave.h"
#include "modHelp.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

using look::Px;

namespace {

struct TabEntry {
    const char *caption;
    const char *captionText;
};

// Tab caption and the caption line's text before the value, in tab order.
constexpr TabEntry kTabs[6] = {
    {"Lucky Number", "Lucky Number is"},
    {"Lucky Color", "Lucky Color is"},
    {"Money Number", "Money Number is"},
    {"First Health Indication", "First Health Indication Number is"},
    {"First Health Influence", "First Health Influence Number is"},
    {"Second Health Indication", "Second Health Indication Number is"},
};

} // namespace

frmDisplay::frmDisplay(Platform platform, frmMain &inputForm)
    : m_platform(platform)
    , m_inputForm(inputForm)
{
    setObjectName(QStringLiteral("frmDisplay"));
    look::SetUpWindow(this);
    look::UseFormColours(this);
    createControls();
    createMenus();
    setFocusOrder();
    look::FixSize(this, Px(7830), Px(5220) + menuBar()->sizeHint().height());
}

frmDisplay::~frmDisplay() = default;

void frmDisplay::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    const int width = Px(7830);

    Label61 = AddBanner(client, width, m_platform);

    auto *frame1 = new QFrame(client);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setFrameShape(QFrame::Box);
    look::Paint(frame1, QPalette::WindowText, look::kDarkRed);
    frame1->setGeometry(4, 30, width - 8, 240);

    Label1 = new QLabel(QStringLiteral("Larkspire Interpretation"), frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(look::Verdana(9.75, true, true));
    look::Paint(Label1, QPalette::WindowText, QColor(255, 0, 0));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(4, 4, frame1->width() - 8, 18);

    lblCaption = new QLabel(QStringLiteral("Second Health Indication"), frame1);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    lblCaption->setTextFormat(Qt::PlainText);
    lblCaption->setFont(look::Verdana(8.25, true));
    look::Paint(lblCaption, QPalette::WindowText, look::kYellow);
    lblCaption->setAlignment(Qt::AlignCenter);
    lblCaption->setGeometry(4, 24, frame1->width() - 8, 18);

    TScript = new TabStrip(frame1);
    TScript->setObjectName(QStringLiteral("TScript"));
    TScript->setFont(look::Verdana(8.25, true));
    TScript->setAccessibleName(QStringLiteral("Results"));
    look::Paint(TScript, QPalette::WindowText, Qt::black);
    for (const TabEntry &tab : kTabs)
        TScript->addTab(QString::fromLatin1(tab.caption));
    const int tabHeight = TScript->sizeHint().height();
    TScript->setGeometry(4, 46, frame1->width() - 8, tabHeight);
    connect(TScript, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0)
            TScript->setCurrentIndex(index);
        TScript_Click();
    });
    connect(TScript, &QTabBar::currentChanged, this, [this] { TScript_Click(); });

    // All six boxes share one rectangle inside the tab strip's page area.
    const QRect page(4, 46 + tabHeight, frame1->width() - 8, frame1->height() - 50 - tabHeight);
    const auto box = [&](const char *name, const char *placeholder, const char *spoken) {
        auto *b = new DescriptionBox(QString::fromLatin1(name), QString::fromLatin1(placeholder), frame1);
        b->setGeometry(page);
        b->setAccessibleName(QString::fromLatin1(spoken));
        b->setFont(look::Verdana(8.25));
        // Every change of a box's text and every mouse event over it empties the clipboard.
        connect(b, &QPlainTextEdit::textChanged, this, [this] { m_platform.clipboard.clear(); });
        new ClipboardGuard(b->viewport(), m_platform.clipboard);
        return b;
    };
    txtDescriptionLuckyNo = box("txtDescriptionLuckyNo", "Lucky No", "Lucky Number description");
    txtDescriptionLuckyColor = box("txtDescriptionLuckyColor", "LuckyColor", "Lucky Color description");
    txtDescriptionMoneyNo = box("txtDescriptionMoneyNo", "Money No", "Money Number description");
    txtDescriptionFHIndication = box("txtDescriptionFHIndication", "First Health Indication",
                                     "First Health Indication description");
    txtDescriptionFHInfluence = box("txtDescriptionFHInfluence", "First Health Influence",
                                    "First Health Influence description");
    txtDescriptionSHIndication = box("txtDescriptionSHIndication", "Second Health Indication",
                                     "Second Health Indication description");
    for (DescriptionBox *b : boxes())
        b->setVisible(b == txtDescriptionLuckyNo);

    QFrame *frame5 = look::Strip(client, 0, 274, width, Px(5220) - 274);
    frame5->setObjectName(QStringLiteral("Frame5"));
    const PromoLabels promo =
        AddPromoLabels(frame5, QRect(6, 4, 338, frame5->height() - 8), Qt::AlignLeft | Qt::AlignVCenter, m_platform);
    lblCobrand = promo.lblCobrand;
    lblFullBrand = promo.lblFullBrand;

    const int buttonY = (frame5->height() - 26) / 2;
    const auto button = [&](const char *name, const char *caption, const char *spoken, int x, void (frmDisplay::*click)()) {
        auto *b = new QPushButton(QString::fromLatin1(caption), frame5);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(QString::fromLatin1(spoken));
        look::GreyButton(b);
        b->setFont(look::Verdana(8.25, true));
        b->setGeometry(x, buttonY, 78, 26);
        connect(b, &QPushButton::clicked, this, click);
        return b;
    };
    cmdPrint = button("cmdPrint", "&Print", "Print", 352, &frmDisplay::cmdPrint_Click);
    cmdBack = button("cmdBack", "&Back", "Back", 436, &frmDisplay::cmdBack_Click);
}

void frmDisplay::createMenus()
{
    // The menus keep the system's colours, so that the unusable entry shows greyed.
    look::UseSystemColours(menuBar());
    QMenu *nuFile = menuBar()->addMenu(QStringLiteral("&File"));
    nuFile->setObjectName(QStringLiteral("nuFile"));
    mnuPrint = nuFile->addAction(QStringLiteral("Print"), this, &frmDisplay::cmdPrint_Click);
    mnuBack = nuFile->addAction(QStringLiteral("&Back"), this, &frmDisplay::cmdBack_Click);
    mnuExit = nuFile->addAction(QStringLiteral("Exit"), this, [this] { close(); });

    const HelpMenus help = AddHelpMenus(this, m_platform);
    mnuOnline = help.mnuOnline;
    mnuVisit = help.mnuVisit;
    mnuUpdate = help.mnuUpdate;
    mnuAbout = help.mnuAbout;
    mkmoney = help.mkmoney;
}

void frmDisplay::setFocusOrder()
{
    QWidget *previous = nullptr;
    for (DescriptionBox *b : boxes()) {
        if (previous)
            setTabOrder(previous, b);
        previous = b;
    }
    setTabOrder(previous, TScript);
    setTabOrder(TScript, cmdPrint);
    setTabOrder(cmdPrint, cmdBack);
}

std::array<DescriptionBox *, 6> frmDisplay::boxes() const
{
    return {txtDescriptionLuckyNo,      txtDescriptionLuckyColor,  txtDescriptionMoneyNo,
            txtDescriptionFHIndication, txtDescriptionFHInfluence, txtDescriptionSHIndication};
}

void frmDisplay::ShowOnLuckyNumber()
{
    {
        const QSignalBlocker quiet(TScript);
        TScript->setCurrentIndex(0);
    }
    TScript_Click();
    const bool first = !isVisible() && !testAttribute(Qt::WA_WState_ExplicitShowHide);
    show();
    if (first)
        look::Centre(this);
    txtDescriptionLuckyNo->setFocus();
}

void frmDisplay::TScript_Click()
{
    const int position = TScript->currentIndex() + 1;
    if (position < 1 || position > 6)
        return;
    const auto all = boxes();
    DescriptionBox *shown = all[static_cast<std::size_t>(position - 1)];
    shown->setVisible(true);
    for (DescriptionBox *b : all) {
        if (b != shown)
            b->setVisible(false);
    }

    const numerology::Interpretation &reading = m_inputForm.currentInterpretation();
    QString value;
    switch (position) {
    case 1: value = QString::number(reading.luckyNumber); break;
    case 2: value = QString::fromUtf8(reading.luckyColor.data(), static_cast<qsizetype>(reading.luckyColor.size())); break;
    case 3: value = QString::number(reading.moneyNumber); break;
    case 4: value = QString::number(reading.firstHealthIndication); break;
    case 5: value = QString::number(reading.firstHealthInfluence); break;
    default: value = QString::number(reading.secondHealthIndication); break;
    }
    lblCaption->setText(QString::fromLatin1(kTabs[position - 1].captionText) + QStringLiteral("  ") + value);
}

void frmDisplay::cmdBack_Click()
{
    hide();
    m_inputForm.ClearNamesAndShow();
}

void frmDisplay::cmdPrint_Click()
{
    ReportInputs inputs;
    inputs.reading = m_inputForm.currentInterpretation();
    const auto all = boxes();
    for (std::size_t i = 0; i < all.size(); ++i)
        inputs.descriptions[i] = all[i]->text();
    frmSave::ShowModal(m_platform, inputs, this);
}

void frmDisplay::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_Unload();
}

void frmDisplay::Form_Unload()
{
    EndProgram(m_platform.process);
}
