#include "app/Application.h"

#include "app/UpdateReminder.h"
#include "platform/InstanceLock.h"
#include "report/ReportDialog.h"
#include "widgets/Messages.h"
#include "widgets/Theme.h"
#include "windows/InputWindow.h"
#include "windows/ResultsWindow.h"

#include <QCoreApplication>
#include <QLocale>

#include <chrono>
#include <random>

Application::Application(InstanceLock &instance, SettingsStore &settings, SaveAndPrintDialogs &dialogs)
    : m_instance(instance)
    , m_settings(settings)
    , m_dialogs(dialogs)
{
}

Application::~Application() = default;

QRandomGenerator Application::seededGenerator(std::uint64_t wallTicks, std::uint64_t steadyTicks)
{
    // A generator seeded with one small number that grows by one a second draws nearly the same
    // first numbers for starts a few seconds apart; a seed sequence spreads every bit.
    std::seed_seq sequence{static_cast<std::uint32_t>(wallTicks), static_cast<std::uint32_t>(wallTicks >> 32),
                           static_cast<std::uint32_t>(steadyTicks), static_cast<std::uint32_t>(steadyTicks >> 32)};
    return QRandomGenerator(sequence);
}

BrandedWindow::Offer Application::offerOfDraw(int draw)
{
    return draw % 2 == 1 ? BrandedWindow::Offer::CoBrand : BrandedWindow::Offer::FullBrand;
}

bool Application::start(QDate today)
{
    if (!m_instance.tryAcquire()) {
        showMessage(QStringLiteral("Application is already running"));
        return false;
    }
    m_random = seededGenerator(
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()),
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    // The reminder may ask its question before any window of the program is on the screen.
    UpdateReminder(m_settings).run(today, QLocale::system());
    m_inputWindow = std::make_unique<InputWindow>();
    connect(m_inputWindow.get(), &InputWindow::readingRequested, this, &Application::showReading);
    connect(m_inputWindow.get(), &BrandedWindow::quitRequested, this, &Application::quit);
    m_inputWindow->show();
    theme::useProgramIcon();
    theme::centre(m_inputWindow.get());
    // The choice holds for the whole run.
    m_inputWindow->bringOfferToFront(offerOfDraw(static_cast<int>(m_random.bounded(1, 7))));
    return true;
}

void Application::showReading(const numerology::PersonDetails &person)
{
    m_reading = m_reading.readingOf(person);
    if (!m_resultsWindow) {
        m_resultsWindow = std::make_unique<ResultsWindow>();
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
    ReportDialog::showModal(m_reading, m_dialogs, m_resultsWindow.get());
}

void Application::quit()
{
    if (m_inputWindow)
        m_inputWindow->hide();
    if (m_resultsWindow)
        m_resultsWindow->hide();
    QCoreApplication::quit();
}
