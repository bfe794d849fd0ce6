// SPDX-License-Identifier: MIT
// Helpers shared by the platform tests: an environment variable set for one scope, and small
// file builders in a temporary directory.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace jxt::test {

/// Sets an environment variable and restores the previous value (or absence) on destruction.
class TScopedEnv
{
public:
    TScopedEnv(const char *name, const QByteArray &value)
        : m_name(name), m_hadValue(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~TScopedEnv()
    {
        if (m_hadValue)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    TScopedEnv(const TScopedEnv &) = delete;
    TScopedEnv &operator=(const TScopedEnv &) = delete;

private:
    const char *m_name;
    bool m_hadValue;
    QByteArray m_old;
};

/// Changes the current directory for one scope.
class TScopedCurrentDir
{
public:
    explicit TScopedCurrentDir(const QString &dir) : m_old(QDir::currentPath())
    {
        QDir::setCurrent(dir);
    }
    ~TScopedCurrentDir() { QDir::setCurrent(m_old); }

private:
    QString m_old;
};

/// Writes `content` to `path`, creating it; returns false on failure.
inline bool WriteFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

inline QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace jxt::test
