#pragma once
// Helpers shared by the tests of the input form and the viewer.

#include "Fakes.h"
#include "frmDisplay.h"
#include "frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

class FormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new frmMain(fake.services());
        form->show();
        QApplication::setActiveWindow(form);
    }

    void TearDown() override
    {
        if (form && form->viewer())
            delete form->viewer();
        delete form;
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Select(QComboBox *list, const QString &entry)
    {
        const int index = list->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        list->setCurrentIndex(index);
    }

    // Fills the form as a user would and asks for the reading.
    void Request(const QString &first, const QString &middle, const QString &last, const QString &day = "1",
                 const QString &month = "January", const QString &year = "2000", const QString &hour = "10")
    {
        form->txtFirstName->clear();
        form->txtMiddleName->clear();
        form->txtLastName->clear();
        QTest::keyClicks(form->txtFirstName, first);
        QTest::keyClicks(form->txtMiddleName, middle);
        QTest::keyClicks(form->txtLastName, last);
        Select(form->cmbDate, day);
        Select(form->cmbMonth, month);
        Select(form->cmbYear, year);
        Select(form->cboMHH, hour);
        form->cmdNext_Click();
    }

    FakePlatform fake;
    QPointer<frmMain> form;
};
