#pragma once

#include "Platform.h"

#include <QDialog>

class QPushButton;

// The About box: the program's name and version, what it does, and two links.
class frmAbout final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAbout)

public:
    frmAbout(Platform platform, QWidget *parent = nullptr);

    // Opens a new About box modally and returns when it has been closed.
    static void ShowModal(Platform platform, QWidget *parent);

    QPushButton *cmdOK = nullptr;

private:
    void cmdOK_Click();
    void lblHomePage_Click();
    void lblCobrand_Click();

    Platform m_platform;
};
