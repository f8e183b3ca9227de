#pragma once
// Helpers shared by the tests of the main windows: the application started with fakes, and the
// windows' controls found by their object names.

#include "Application.h"
#include "DescriptionBox.h"
#include "Controls.h"
#include "Fakes.h"
#include "InputWindow.h"
#include "ResultsWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

// The six description boxes of the results window in tab order.
inline std::array<DescriptionBox *, 6> Boxes(const QObject *results)
{
    return {Child<DescriptionBox>(results, "luckyNumberBox"),
            Child<DescriptionBox>(results, "luckyColorBox"),
            Child<DescriptionBox>(results, "moneyNumberBox"),
            Child<DescriptionBox>(results, "firstHealthIndicationBox"),
            Child<DescriptionBox>(results, "firstHealthInfluenceBox"),
            Child<DescriptionBox>(results, "secondHealthIndicationBox")};
}

class FormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<Application>(fake.services(), instance);
        ASSERT_TRUE(app->start());
        form = app->inputWindow();
        QApplication::setActiveWindow(form);
    }

    void TearDown() override
    {
        app.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ResultsWindow *viewer() const { return app->resultsWindow(); }

    void Select(const char *list, const QString &entry)
    {
        QComboBox *combo = Child<QComboBox>(form, list);
        const int index = combo->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        combo->setCurrentIndex(index);
    }

    // Fills the form as a user would and asks for the reading.
    void Request(const QString &first, const QString &middle, const QString &last, const QString &day = "1",
                 const QString &month = "January", const QString &year = "2000", const QString &hour = "10")
    {
        for (const char *name : {"firstNameEdit", "middleNameEdit", "lastNameEdit"})
            Child<QLineEdit>(form, name)->clear();
        QTest::keyClicks(Child<QLineEdit>(form, "firstNameEdit"), first);
        QTest::keyClicks(Child<QLineEdit>(form, "middleNameEdit"), middle);
        QTest::keyClicks(Child<QLineEdit>(form, "lastNameEdit"), last);
        Select("dayCombo", day);
        Select("monthCombo", month);
        Select("yearCombo", year);
        Select("hourCombo", hour);
        form->requestReading();
    }

    FakePlatform fake;
    FakeInstanceLock instance;
    std::unique_ptr<Application> app;
    QPointer<InputWindow> form;
};
