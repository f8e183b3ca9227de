#pragma once
// The application: owns the single-instance check, the two main windows and the flow between
// them, and ends the program.
//
// start() refuses a second copy, runs the update reminder, shows the input window and picks the
// promotional offer in front. A request from the input window becomes the next Reading, which the
// results window shows; Back returns to the input window with the names emptied; Print opens the
// report of the same Reading. Closing either main window quits.

#include "Platform.h"
#include "Reading.h"

#include <QObject>

#include <memory>

class InputWindow;
class ResultsWindow;

class Application final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Application)

public:
    Application(Platform platform, InstanceLock &instance);
    ~Application() override;

    // Runs the start-up steps. False when another copy is running: the user has then been told,
    // and the program ends without showing a window.
    bool start();

    // Hides and releases both main windows and ends the process. Nothing is saved.
    void quit();

    // The windows and the current reading, for tests. The results window exists from the first
    // reading on.
    InputWindow *inputWindow() const { return m_inputWindow.get(); }
    ResultsWindow *resultsWindow() const { return m_resultsWindow.get(); }
    const Reading &reading() const { return m_reading; }

private:
    void showReading(const numerology::PersonDetails &person);
    void returnToInput();
    void printReading();

    Platform m_platform;
    InstanceLock &m_instance;
    Reading m_reading = Reading::placeholders();
    std::unique_ptr<InputWindow> m_inputWindow;
    std::unique_ptr<ResultsWindow> m_resultsWindow;
};
