#pragma once
// What the widget tests share: finding a window's controls, answering the program's message boxes
// as a user would, recording the addresses it hands to the browser, and a fake of the one seam
// left, the Save As and Print dialogs (on Windows both are the system's own).

#include "report/SaveAndPrintDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPrinter>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

// The control of a window by its object name; a missing one fails the test.
template <class T>
T *Child(const QObject *parent, const char *name)
{
    T *found = parent ? parent->findChild<T *>(QLatin1String(name)) : nullptr;
    EXPECT_NE(found, nullptr) << name;
    return found;
}

template <class T, class P>
T *Child(const std::unique_ptr<P> &parent, const char *name)
{
    return Child<T>(parent.get(), name);
}

// The role a window of the given role shows: X11 keeps a window's role (WM_WINDOW_ROLE), other
// windowing systems have none and Qt keeps none there.
inline QString ShownRole(const QString &role)
{
    QWidget probe;
    probe.setWindowRole(QStringLiteral("probe"));
    return probe.windowRole().isEmpty() ? QString() : role;
}

// While alive, answers every message box from inside its own modal loop, as a user would: records
// what it showed and presses a button (the next scripted answer of a Yes/No box, No when none is
// left; OK otherwise). The box always closes, so a test never waits on it.
class MessageBoxAnswerer final : public QObject {
    Q_OBJECT

public:
    struct Shown {
        QString text;
        QString caption;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        int otherWindows; // visible windows other than the box when it showed
        bool waitCursor;  // whether the wait cursor was on when it showed
    };

    MessageBoxAnswerer() { qApp->installEventFilter(this); }
    ~MessageBoxAnswerer() override { qApp->removeEventFilter(this); }

    QStringList texts() const
    {
        QStringList all;
        for (const Shown &box : shown)
            all << box.text;
        return all;
    }

    std::vector<Shown> shown;
    std::deque<bool> answers; // true for Yes

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = event->type() == QEvent::Show ? qobject_cast<QMessageBox *>(watched) : nullptr;
        if (!box)
            return false;
        int others = 0;
        for (QWidget *window : QApplication::topLevelWidgets())
            others += window != box && window->isVisible() ? 1 : 0;
        shown.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons(), others,
                         QGuiApplication::overrideCursor() != nullptr});
        QMessageBox::StandardButton pressed = QMessageBox::Ok;
        if (box->standardButtons() & QMessageBox::Yes) {
            pressed = !answers.empty() && answers.front() ? QMessageBox::Yes : QMessageBox::No;
            if (!answers.empty())
                answers.pop_front();
        }
        QTimer::singleShot(0, box, [box, pressed] { box->button(pressed)->click(); });
        return false;
    }
};

// While alive, takes the addresses the program hands to QDesktopServices::openUrl instead of a
// browser.
class OpenedUrls final : public QObject {
    Q_OBJECT

public:
    OpenedUrls()
    {
        for (const char *scheme : {"http", "https", "ftp", "mailto"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }
    ~OpenedUrls() override
    {
        for (const char *scheme : {"http", "https", "ftp", "mailto"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    QStringList opened;
    std::function<void(const QUrl &)> onOpen;

public slots:
    void open(const QUrl &url)
    {
        opened << url.toString(QUrl::FullyEncoded);
        if (onOpen)
            onOpen(url);
    }
};

// The Save As and Print dialogs as scripted: the save path to answer (none: Cancel), and a PDF
// file to print to (none: Cancel), with the print range the user chooses in the dialog.
class FakeDialogs final : public SaveAndPrintDialogs {
public:
    std::optional<QString> askSaveFileName(QWidget *, const SaveRequest &request) override
    {
        saveRequests.push_back(request);
        return savePath;
    }
    bool askPrinter(QWidget *, QPrinter &printer, bool hasSelection) override
    {
        printSelections.push_back(hasSelection);
        if (!printToPdf)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*printToPdf);
        if (chooseRange)
            printer.setPrintRange(*chooseRange);
        return true;
    }

    std::optional<QString> savePath;
    std::vector<SaveRequest> saveRequests;
    std::optional<QString> printToPdf;
    std::optional<QPrinter::PrintRange> chooseRange;
    std::vector<bool> printSelections;
};
