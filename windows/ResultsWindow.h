#pragma once

#include "model/Reading.h"
#include "widgets/BrandedWindow.h"

class QLabel;
class QStackedWidget;
class TabStrip;

// The results window: six results on the tabs of a tab strip, the description box of the one
// shown, and a caption line with that result, its value and, on pointing, its working.
class ResultsWindow final : public BrandedWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultsWindow)

public:
    ResultsWindow();

    // Fills the six boxes with the reading's texts and shows the window, modeless, on its Lucky
    // Number tab (centred the first time it is shown).
    void showReading(const Reading &reading);

    // Shows one result: its box, and its caption with the result's working as tooltip and
    // accessible description.
    void showResult(Result result);

signals:
    void backRequested();
    void printRequested();

private:
    void createControls();
    void createMenus();
    void setFocusOrder();
    // The caption line of a result: its text, two blanks and its value.
    QString captionLine(Result result) const;

    Reading m_reading;
    bool m_centred = false;
    QLabel *m_captionLabel = nullptr;
    TabStrip *m_resultTabs = nullptr;
    QStackedWidget *m_descriptionBoxes = nullptr;
    QWidget *m_printButton = nullptr;
    QWidget *m_backButton = nullptr;
};
