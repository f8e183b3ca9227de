#pragma once

#include "BrandedWindow.h"
#include "Reading.h"

#include <array>

class DescriptionBox;
class QLabel;
class QPushButton;
class TabStrip;

// Six results on the tabs of a tab strip, one description box visible at a time, and a caption
// line with the shown result and its value.
class ResultsWindow final : public BrandedWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultsWindow)

public:
    explicit ResultsWindow(Platform platform);

    // Fills the six boxes with the reading's texts and shows the window, modeless, on its Lucky
    // Number tab (centred the first time it is shown).
    void showReading(const Reading &reading);

    // Shows one result, 0 (Lucky Number) to 5 (Second Health Indication): its box and its caption.
    void showResult(int index);

signals:
    void backRequested();
    void printRequested();

private:
    void createControls();
    void createMenus();
    void setFocusOrder();
    QPushButton *addButton(QWidget *strip, const char *name, const char *caption, const char *spoken, int x);

    numerology::Interpretation m_interpretation;
    QLabel *m_captionLabel = nullptr;
    TabStrip *m_resultTabs = nullptr;
    std::array<DescriptionBox *, 6> m_descriptionBoxes{};
    QPushButton *m_printButton = nullptr;
    QPushButton *m_backButton = nullptr;
};
