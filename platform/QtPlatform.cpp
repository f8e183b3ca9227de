#include "QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QUrl>

namespace {

QMessageBox::StandardButton ShowInformation(const QString &text, const QString &caption,
                                            QMessageBox::StandardButtons buttons)
{
    // A carriage return alone separates lines in the program's messages; Qt's labels break on
    // line feeds.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(QMessageBox::Information, caption, shown, buttons);
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void QtMessageBoxes::information(const QString &text, const QString &caption)
{
    ShowInformation(text, caption, QMessageBox::Ok);
}

bool QtMessageBoxes::askYesNo(const QString &text, const QString &caption)
{
    return ShowInformation(text, caption, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtClipboard::clear()
{
    // Emptying the clipboard can fail while another program holds it; that is harmless here.
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}

void QtBrowserOpener::open(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
}

QtSettingsStore::QtSettingsStore() = default;

QtSettingsStore::~QtSettingsStore() = default;

QSettings &QtSettingsStore::settings()
{
    if (!m_settings) {
        const QString app = QCoreApplication::applicationName();
        m_settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, app, app);
    }
    return *m_settings;
}

QString QtSettingsStore::read(const QString &section, const QString &entry)
{
    return settings().value(section + QLatin1Char('/') + entry).toString();
}

void QtSettingsStore::write(const QString &section, const QString &entry, const QString &value)
{
    settings().setValue(section + QLatin1Char('/') + entry, value);
}

QDate SystemClock::today()
{
    return QDate::currentDate();
}

QLocale SystemClock::locale()
{
    return QLocale::system();
}

void StdRandomSource::seedFromClock()
{
    m_engine.seed(static_cast<std::mt19937::result_type>(QDateTime::currentMSecsSinceEpoch()));
}

int StdRandomSource::between(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(m_engine);
}

LockFileInstance::LockFileInstance(QString lockPath)
    : m_path(std::move(lockPath))
{
}

QString LockFileInstance::defaultLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/larkspire.lock");
}

bool LockFileInstance::tryAcquire()
{
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock is stale only when its process is gone, never because of its age.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}

void QtProcessControl::endProcess()
{
    QCoreApplication::exit(0);
}

std::optional<QString> QtCommonDialogs::askSaveFileName(QWidget *parent, const SaveRequest &request)
{
    QFileDialog dialog(parent, request.caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool QtCommonDialogs::askPrinter(QWidget *parent, QPrinter &printer, bool hasSelection)
{
    QPrintDialog dialog(&printer, parent);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile
        | QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies;
    if (hasSelection)
        options |= QAbstractPrintDialog::PrintSelection;
    dialog.setOptions(options);
    dialog.setPrintRange(hasSelection ? QAbstractPrintDialog::Selection : QAbstractPrintDialog::AllPages);
    return dialog.exec() == QDialog::Accepted;
}
