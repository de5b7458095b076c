#include "fakes/TestPrefs.h"

#include "Solitask/session/Prefs.h"

#include <QSettings>

TestPrefs::TestPrefs(bool registerDefaults)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir());
    Prefs::reload();
    Prefs::unregisterDefaults();
    if (registerDefaults)
        Prefs::registerDefaults();
}

TestPrefs::~TestPrefs()
{
    Prefs::unregisterDefaults();
    Prefs::reload();
}

QString TestPrefs::configDir() const
{
    return m_dir.path();
}
