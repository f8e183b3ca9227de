#include "QtPlatform.h"

#include "IniText.h"
#include "SafeFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <chrono>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A settings file larger than this is not ours to read or rewrite.
constexpr qint64 kLargestSettingsFile = 16 * 1024 * 1024;

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

// Keeps the page-range choices of Qt's own print dialog disabled while it is shown.
class PageRangeDisabler final : public QObject {
public:
    explicit PageRangeDisabler(QDialog *dialog)
        : m_dialog(dialog)
    {
        dialog->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_dialog && event->type() == QEvent::Show)
            disable();
        // The dialog enables its controls again as the printer changes: switch them back off.
        else if (event->type() == QEvent::EnabledChange && watched != m_dialog)
            disable();
        return false;
    }

private:
    void disable()
    {
        for (const char *name : {"printRange", "pagesRadioButton", "from", "to", "pagesLineEdit"}) {
            if (auto *widget = m_dialog->findChild<QWidget *>(QLatin1String(name))) {
                widget->installEventFilter(this);
                if (widget->isEnabled())
                    widget->setEnabled(false);
            }
        }
    }

    QDialog *m_dialog;
};

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

QtSettingsStore::QtSettingsStore(QString path)
    : m_path(std::move(path))
{
}

QtSettingsStore::~QtSettingsStore()
{
    flush();
}

QString QtSettingsStore::defaultPath()
{
    const QString app = QCoreApplication::applicationName();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + app
        + QLatin1Char('/') + app + QStringLiteral(".conf");
}

QString QtSettingsStore::read(const QString &section, const QString &entry)
{
    for (auto it = m_pending.rbegin(); it != m_pending.rend(); ++it) {
        if (it->section == section && it->entry == entry)
            return it->value;
    }
    if (!m_contents)
        m_contents = safefiles::readRegularFile(m_path, kLargestSettingsFile).value_or(QByteArray());
    return initext::value(*m_contents, section, entry);
}

void QtSettingsStore::write(const QString &section, const QString &entry, const QString &value)
{
    m_pending.push_back({section, entry, value});
    if (m_pending.size() == 1)
        QTimer::singleShot(0, &m_flushContext, [this] { flush(); });
}

bool QtSettingsStore::flush()
{
    if (m_pending.empty())
        return true;
    // Read afresh, so that whatever else the file holds now is kept. A file that is there but
    // cannot be read as ours (too large, not a regular file) is left alone.
    const safefiles::PathKind kind = safefiles::kindOf(m_path);
    std::optional<QByteArray> contents = kind == safefiles::PathKind::Missing
        ? std::optional<QByteArray>(QByteArray())
        : safefiles::readRegularFile(m_path, kLargestSettingsFile);
    if (!contents)
        return false;
    for (const Pending &p : m_pending)
        *contents = initext::withValue(*contents, p.section, p.entry, p.value);
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    if (!safefiles::writeFileAtomically(m_path, *contents).isEmpty())
        return false;
    m_contents = std::move(contents);
    m_pending.clear();
    return true;
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
    seedFromTicks(static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()),
                  static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

void StdRandomSource::seedFromTicks(std::uint64_t wallTicks, std::uint64_t steadyTicks)
{
    // A generator seeded with one small number that grows by one a second draws nearly the same
    // first numbers for starts a few seconds apart; a seed sequence spreads every bit.
    std::seed_seq sequence{static_cast<std::uint32_t>(wallTicks), static_cast<std::uint32_t>(wallTicks >> 32),
                           static_cast<std::uint32_t>(steadyTicks), static_cast<std::uint32_t>(steadyTicks >> 32)};
    m_engine.seed(sequence);
}

int StdRandomSource::between(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(m_engine);
}

LockFileInstance::LockFileInstance(QString lockPath)
    : m_path(std::move(lockPath))
{
}

LockFileInstance::~LockFileInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString LockFileInstance::defaultLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/larkspire.lock");
}

namespace {

// Opens the lock file as a regular file of our own, never following a link and never blocking on
// a FIFO; -1 when something else is in the way.
int openLockFile(const QByteArray &path)
{
    // O_CLOEXEC: a browser started from the program must not inherit, and so keep, the lock.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

bool LockFileInstance::tryAcquire()
{
    if (m_fd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(m_path);
    int fd = openLockFile(path);
    if (fd < 0) {
        // Whatever lies there (a FIFO, a link, a device node, an empty directory) is no lock of a
        // running copy: clear it away and try once more.
        if (::unlink(path.constData()) != 0)
            ::rmdir(path.constData());
        fd = openLockFile(path);
    }
    if (fd < 0)
        return true; // no lock can be had here: run rather than never start
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return !held;
    }
    // The holder's process number, for a person who looks; the lock itself is the flock.
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    if (::ftruncate(fd, 0) == 0)
        (void)!::pwrite(fd, pid.constData(), static_cast<size_t>(pid.size()), 0);
    m_fd = fd;
    return true;
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
    // A program started from a menu has no meaningful working folder: start where the user keeps
    // documents, then where the last file went.
    QString folder = m_lastFolder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    dialog.setDirectory(folder);
    if (!request.suggestedName.isEmpty())
        dialog.selectFile(request.suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    m_lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
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
    // Qt's own dialog offers "Pages from ... to" whatever the options say; the report prints all
    // of itself or its selection, so that choice is switched off each time the dialog shows.
    PageRangeDisabler disabler(&dialog);
    return dialog.exec() == QDialog::Accepted;
}
