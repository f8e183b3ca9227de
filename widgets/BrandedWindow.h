#pragma once

#include "widgets/Theme.h"

#include <QMainWindow>

class LinkLabel;
class QFrame;
class QMenu;

// The frame of the input window and the results window: the dark grey top strip with its forum
// banner, the two promotional offers lying one on top of the other in a strip of the subclass's,
// the File menu the subclass fills, the Help menu and the greyed "Make Money Online". Closing it
// asks the application to quit.
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
    // The banner strip across the client area's top and the banner in it, in twips.
    BrandedWindow(const QString &objectName, theme::Twips bannerStrip, theme::Twips banner);

    // The client area, with the banner strip across its top.
    QWidget *client() const { return m_client; }
    // The two offers in one rectangle of a strip, the full-branding offer in front.
    void addOffers(QFrame *strip, theme::Twips rect, Qt::Alignment alignment);
    // The File menu; call before addHelpMenus.
    QMenu *addFileMenu();
    // Help (Online Help, Visit Us Online, Check for Software Update, About Software) and the greyed
    // "Make Money Online", after the File menu.
    void addHelpMenus();
    // Fixes the window's size to a client area of the design (in twips) below the menu bar.
    void fixClientSize(QSize twips);

    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *m_client = nullptr;
    LinkLabel *m_coBrandOffer = nullptr;
    LinkLabel *m_fullBrandOffer = nullptr;
};
