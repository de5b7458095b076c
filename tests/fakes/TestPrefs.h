#pragma once

#include <QTemporaryDir>

/// Points the preferences at an empty settings file of their own for the
/// lifetime of the object, with the defaults registered, so that tests never
/// read or write the person's settings.
class TestPrefs
{
public:
    explicit TestPrefs(bool registerDefaults = true);
    ~TestPrefs();
    TestPrefs(const TestPrefs &) = delete;
    TestPrefs &operator=(const TestPrefs &) = delete;

    /// The folder that holds the settings file (for child processes: XDG_CONFIG_HOME).
    QString configDir() const;

private:
    QTemporaryDir m_dir;
};
