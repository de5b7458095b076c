#pragma once

// The real binary as a person runs it, with its own store and preferences.

#include "support/TestSupport.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

/// One running solitask with its own store and preferences.
class AppProcess
{
public:
    AppProcess()
    {
        QSettings prefs(configFile(), QSettings::IniFormat);
        prefs.setValue("onboardingDone", true);
        // Never quiet, whatever the day and hour the test runs at.
        prefs.setValue("quietWeekends", false);
        prefs.setValue("quietStartMinutes", 0);
        prefs.setValue("quietEndMinutes", 0);
        prefs.setValue("doubleTapOption", false);
        prefs.sync();
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert("HOME", m_home.path());
        m_env.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
        m_env.insert("SOLITASK_ROOT", root());
        m_env.remove("QT_QPA_PLATFORM");
        m_process.setProcessEnvironment(m_env);
    }

    ~AppProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    void setPref(const QString &key, const QVariant &value)
    {
        QSettings prefs(configFile(), QSettings::IniFormat);
        prefs.setValue(key, value);
        prefs.sync();
    }

    QString root() const { return m_home.filePath("root"); }
    QString configFile() const { return m_home.filePath("config/Solitask/Solitask.conf"); }

    void start()
    {
        m_process.start(SOLITASK_BINARY, {});
        ASSERT_TRUE(m_process.waitForStarted(10000));
    }

    /// A second launch against the same store; its exit code, -1 if it hung.
    /// Its standard error is kept in `lastError`.
    int launchAgain(const QStringList &arguments = {})
    {
        QProcess second;
        second.setProcessEnvironment(m_env);
        second.start(SOLITASK_BINARY, arguments);
        if (!second.waitForFinished(15000)) {
            second.kill();
            return -1;
        }
        lastError = second.readAllStandardError();
        return second.exitCode();
    }

    QByteArray lastError;

    QString diag() const { return TestSupport::diagLog(root()); }

    bool waitForLog(const QString &line, int ms = 15000) const
    {
        return TestSupport::waitForDiagLine(root(), line, ms);
    }

    QProcess &process() { return m_process; }

private:
    QTemporaryDir m_home;
    QProcessEnvironment m_env;
    QProcess m_process;
};
