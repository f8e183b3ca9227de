#pragma once
// The parts the input form and the viewer share: the top strip with its banner, the two
// promotional labels of the bottom strip, and the Help and "Make Money Online" menus.

#include "Platform.h"

#include <QRect>

class LinkLabel;
class QAction;
class QFrame;
class QMainWindow;
class QWidget;

// The dark grey top strip Frame2 across the window, with the banner Label61 that opens the home page.
LinkLabel *AddBanner(QWidget *client, int width, Platform platform);

struct PromoLabels {
    LinkLabel *lblCobrand;
    LinkLabel *lblFullBrand;
};

// The co-branding and full-branding offers in one rectangle of a strip, lblFullBrand in front.
PromoLabels AddPromoLabels(QFrame *strip, QRect rectangle, Qt::Alignment alignment, Platform platform);

struct HelpMenus {
    QAction *mnuOnline;
    QAction *mnuVisit;
    QAction *mnuUpdate;
    QAction *mnuAbout;
    QAction *mkmoney;
};

// Help (Online Help, Visit Us Online, Check for Software Update, About Software) and the greyed
// "Make Money Online", after the window's File menu.
HelpMenus AddHelpMenus(QMainWindow *window, Platform platform);
