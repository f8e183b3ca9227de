#pragma once
// The window parts the input window and the results window share.
//
// This layer holds the pieces every window is built from: the look (Theme), link labels, the
// caption frame, the tab strip, the description boxes, the name key filter, the clipboard guard,
// the web pages with the update reminder, the About box, and the reading value the windows pass
// on. BrandedWindow is the frame of both main windows.

#include "Platform.h"

#include <QMainWindow>
#include <QRect>

class LinkLabel;
class QAction;
class QFrame;
class QMenu;

// A main window with the dark grey top strip and its forum banner, the two promotional offers
// lying one on top of the other in a strip of the subclass's, the File menu the subclass fills,
// the Help menu and the greyed "Make Money Online". Closing it asks the application to quit.
class BrandedWindow : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BrandedWindow)

public:
    enum class Offer { CoBrand, FullBrand };

    // Brings one offer in front of the other; the one in front is the only one seen and clicked.
    void bringOfferToFront(Offer offer);

signals:
    // The user closed the window (its close box or File, Exit).
    void quitRequested();

protected:
    BrandedWindow(Platform platform, const QString &objectName, int clientWidth);

    // The client area, with the banner strip across its top.
    QWidget *client() const { return m_client; }
    // The two offers in one rectangle of a strip, the full-branding offer in front.
    void addOffers(QFrame *strip, QRect rectangle, Qt::Alignment alignment);
    // The File menu; call before addHelpMenus.
    QMenu *addFileMenu();
    // Help (Online Help, Visit Us Online, Check for Software Update, About Software) and the greyed
    // "Make Money Online", after the File menu.
    void addHelpMenus();

    void closeEvent(QCloseEvent *event) override;

    Platform m_platform;

private:
    QWidget *m_client = nullptr;
    LinkLabel *m_forumBanner = nullptr;
    LinkLabel *m_coBrandOffer = nullptr;
    LinkLabel *m_fullBrandOffer = nullptr;
};
