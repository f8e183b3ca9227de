#pragma once
// The windows layer: the program's two main windows. Each is created once and hidden and shown
// again; they never see each other: the application connects their signals, and hands the
// results window the reading to show.

#include "engine/Records.h"
#include "widgets/BrandedWindow.h"

struct ReadingRequest;
class QComboBox;
class QLineEdit;
class QPushButton;

// The input window: three name boxes, six birth lists, and the request that validates them.
class InputWindow final : public BrandedWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InputWindow)

public:
    InputWindow();

    // Empties the three names (the lists keep their choices), shows the window and puts the focus
    // in the first name.
    void clearNamesAndShow();

    // Checks the input and, when it passes, emits readingRequested. Otherwise shows the first
    // problem found and moves the focus to the box concerned.
    void requestReading();

signals:
    void readingRequested(const numerology::PersonDetails &person);

private:
    void createControls();
    void createMenus();
    void setFocusOrder();
    void fillLists();
    ReadingRequest request() const;

    QLineEdit *m_firstNameEdit = nullptr;
    QLineEdit *m_middleNameEdit = nullptr;
    QLineEdit *m_lastNameEdit = nullptr;
    QComboBox *m_dayCombo = nullptr;
    QComboBox *m_monthCombo = nullptr;
    QComboBox *m_yearCombo = nullptr;
    QComboBox *m_hourCombo = nullptr;
    QComboBox *m_minuteCombo = nullptr;
    QComboBox *m_secondCombo = nullptr;
    QPushButton *m_readingButton = nullptr;
};
