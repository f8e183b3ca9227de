#pragma once

#include <QDialog>

class QPushButton;

// The About box: the program's name and version, what it does, and two links. Opened modally from
// Help, About Software in either main window; OK, Enter, Escape or the close box close it.
class AboutDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutDialog)

public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // Opens a new About box modally and returns when it has been closed.
    static void showModal(QWidget *parent);

private:
    void createControls();

    QPushButton *m_okButton = nullptr;
};
