#pragma once
// Files for tests: reading and writing them whole, and the variables that name where they lie.

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <optional>

inline QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline void Put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Sets an environment variable for the life of the object (unsets it for an empty value).
class ScopedVariable {
public:
    ScopedVariable(const char *name, const QByteArray &value)
        : m_name(name)
        , m_old(qgetenv(name))
        , m_wasSet(qEnvironmentVariableIsSet(name))
    {
        apply(value.isEmpty() ? std::nullopt : std::optional(value));
    }
    ~ScopedVariable() { apply(m_wasSet ? std::optional(m_old) : std::nullopt); }

private:
    void apply(const std::optional<QByteArray> &value)
    {
        if (value)
            qputenv(m_name, *value);
        else
            qunsetenv(m_name);
    }

    const char *m_name;
    QByteArray m_old;
    bool m_wasSet;
};
