#pragma once

#include "Platform.h"
#include "Records.h"

#include <QMainWindow>

#include <cstdint>

class frmDisplay;
class LinkLabel;
class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;

// The input form: three name boxes, six birth lists, the request that turns them into a reading
// shown in the viewer. Created once; hidden and shown again, never reloaded.
class frmMain final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmMain)

public:
    explicit frmMain(Platform platform);
    ~frmMain() override;

    // The viewer, once the first request has created it.
    frmDisplay *viewer() const { return m_viewer; }
    // The interpretation of the latest successful request.
    const numerology::Interpretation &currentInterpretation() const { return m_current; }

    // For the viewer's Back: empty the three name boxes and show the form again.
    void ClearNamesAndShow();

    void cmdNext_Click();
    void mnuNext_Click();
    bool ValidateInput();

    QLineEdit *txtFirstName = nullptr;
    QLineEdit *txtMiddleName = nullptr;
    QLineEdit *txtLastName = nullptr;
    QComboBox *cmbDate = nullptr;
    QComboBox *cmbMonth = nullptr;
    QComboBox *cmbYear = nullptr;
    QComboBox *cboMHH = nullptr;
    QComboBox *cboMMM = nullptr;
    QComboBox *cboMSS = nullptr;
    QPushButton *cmdNext = nullptr;
    LinkLabel *Label61 = nullptr;
    LinkLabel *lblFullBrand = nullptr;
    LinkLabel *lblCobrand = nullptr;
    QAction *mnuNext = nullptr;
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
    void Form_Load();
    void NameKeyPress(std::int16_t &keyAscii);
    void mnuExit_Click();
    void Form_Unload();

    Platform m_platform;
    numerology::Interpretation m_current;
    frmDisplay *m_viewer = nullptr;
};
