#include "Application.h"

#include "InputWindow.h"
#include "ReportDialog.h"
#include "ResultsWindow.h"
#include "Theme.h"
#include "UpdateReminder.h"

Application::Application(Platform platform, InstanceLock &instance)
    : m_platform(platform)
    , m_instance(instance)
{
}

Application::~Application() = default;

bool Application::start()
{
    if (!m_instance.tryAcquire()) {
        m_platform.messages.information(QStringLiteral("Application is already running"), kApplicationTitle);
        m_platform.process.endProcess();
        return false;
    }
    m_platform.random.seedFromClock();
    // The reminder may ask its question before any window of the program is on the screen.
    UpdateReminder(m_platform).run();
    m_inputWindow = std::make_unique<InputWindow>(m_platform);
    connect(m_inputWindow.get(), &InputWindow::readingRequested, this, &Application::showReading);
    connect(m_inputWindow.get(), &BrandedWindow::quitRequested, this, &Application::quit);
    m_inputWindow->show();
    theme::centre(m_inputWindow.get());
    // An odd draw brings the co-branding offer to the front; the choice holds for the whole run.
    const bool coBrand = m_platform.random.between(1, 6) % 2 == 1;
    m_inputWindow->bringOfferToFront(coBrand ? BrandedWindow::Offer::CoBrand : BrandedWindow::Offer::FullBrand);
    return true;
}

void Application::showReading(const numerology::PersonDetails &person)
{
    m_reading = m_reading.next(person);
    if (!m_resultsWindow) {
        m_resultsWindow = std::make_unique<ResultsWindow>(m_platform);
        connect(m_resultsWindow.get(), &ResultsWindow::backRequested, this, &Application::returnToInput);
        connect(m_resultsWindow.get(), &ResultsWindow::printRequested, this, &Application::printReading);
        connect(m_resultsWindow.get(), &BrandedWindow::quitRequested, this, &Application::quit);
    }
    m_resultsWindow->showReading(m_reading);
    m_inputWindow->hide();
}

void Application::returnToInput()
{
    m_resultsWindow->hide();
    m_inputWindow->clearNamesAndShow();
}

void Application::printReading()
{
    ReportDialog::showModal(m_platform, m_reading, m_resultsWindow.get());
}

void Application::quit()
{
    // The windows go when control is back in the event loop: quit() is called from inside a
    // window's close event. Hidden first, so that nothing shows in between.
    for (QWidget *window : {static_cast<QWidget *>(m_inputWindow.release()), static_cast<QWidget *>(m_resultsWindow.release())}) {
        if (window) {
            window->hide();
            window->deleteLater();
        }
    }
    m_platform.process.endProcess();
}
