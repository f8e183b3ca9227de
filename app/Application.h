#pragma once
// The application layer: the owner of the windows and the flow between them.
//
// start() refuses a second copy, runs the update reminder, shows the input window, gives the
// program its icon and picks the promotional offer in front. A request from the input window
// becomes the next Reading, which the results window shows; Back returns to the input window with
// the names emptied; Print opens the report of the same Reading. Closing either main window quits.

#include "model/Reading.h"
#include "widgets/BrandedWindow.h"

#include <QDate>
#include <QObject>
#include <QRandomGenerator>

#include <cstdint>
#include <memory>

class InputWindow;
class InstanceLock;
class ResultsWindow;
class SaveAndPrintDialogs;
class SettingsStore;

class Application final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Application)

public:
    Application(InstanceLock &instance, SettingsStore &settings, SaveAndPrintDialogs &dialogs);
    ~Application() override;

    // Runs the start-up steps on the given day. False when another copy is running: the user has
    // then been told, and the program ends without showing a window.
    bool start(QDate today);

    // Hides both main windows and ends the event loop. Nothing is saved.
    void quit();

    // The windows and the current reading, for tests. The results window exists from the first
    // reading on.
    InputWindow *inputWindow() const { return m_inputWindow.get(); }
    ResultsWindow *resultsWindow() const { return m_resultsWindow.get(); }
    const Reading &reading() const { return m_reading; }

    // A generator seeded from two clock readings in their finest units, through a seed sequence,
    // so that starts a moment apart draw unrelated numbers.
    static QRandomGenerator seededGenerator(std::uint64_t wallTicks, std::uint64_t steadyTicks);
    // The offer a draw of 1 to 6 brings in front: co-branding for an odd draw.
    static BrandedWindow::Offer offerOfDraw(int draw);

private:
    void showReading(const numerology::PersonDetails &person);
    void returnToInput();
    void printReading();

    InstanceLock &m_instance;
    SettingsStore &m_settings;
    SaveAndPrintDialogs &m_dialogs;
    QRandomGenerator m_random;
    Reading m_reading = Reading::placeholders();
    std::unique_ptr<InputWindow> m_inputWindow;
    std::unique_ptr<ResultsWindow> m_resultsWindow;
};
