#pragma once

#include "Platform.h"

#include <QMainWindow>

#include <array>

class DescriptionBox;
class LinkLabel;
class QAction;
class QLabel;
class QPushButton;
class TabStrip;
class frmMain;

// The interpretation viewer: six results on the tabs of TScript, one description box visible at a
// time, and a caption line with the shown result and its value. Created by the first request and
// kept, hidden or shown, until the program ends.
class frmDisplay final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmDisplay)

public:
    frmDisplay(Platform platform, frmMain &inputForm);
    ~frmDisplay() override;

    // Shows the viewer, modeless, on its Lucky Number view.
    void ShowOnLuckyNumber();

    void TScript_Click();
    void cmdBack_Click();
    void cmdPrint_Click();

    // The six boxes in tab order.
    std::array<DescriptionBox *, 6> boxes() const;

    LinkLabel *Label61 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lblCaption = nullptr;
    TabStrip *TScript = nullptr;
    DescriptionBox *txtDescriptionLuckyNo = nullptr;
    DescriptionBox *txtDescriptionLuckyColor = nullptr;
    DescriptionBox *txtDescriptionMoneyNo = nullptr;
    DescriptionBox *txtDescriptionFHIndication = nullptr;
    DescriptionBox *txtDescriptionFHInfluence = nullptr;
    DescriptionBox *txtDescriptionSHIndication = nullptr;
    LinkLabel *lblFullBrand = nullptr;
    LinkLabel *lblCobrand = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdBack = nullptr;
    QAction *mnuPrint = nullptr;
    QAction *mnuBack = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuOnline = nullptr;
    QAction *mnuVisit = nullptr;
    QAction *mnuUpdate = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mkmoney = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createMenus();
    void setFocusOrder();
    void Form_Unload();

    Platform m_platform;
    frmMain &m_inputForm;
};
