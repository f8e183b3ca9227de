#pragma once
// Finding a window's controls by their object names in tests.

#include <QObject>

#include <gtest/gtest.h>

#include <memory>

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
