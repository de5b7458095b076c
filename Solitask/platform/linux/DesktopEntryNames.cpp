#include "Solitask/platform/linux/DesktopEntryNames.h"

#include <QDir>
#include <QFile>
#include <QLocale>

DesktopEntryNames::DesktopEntryNames(QStringList dataDirs, QString locale)
    : m_dataDirs(std::move(dataDirs))
    , m_locale(locale.isEmpty() ? QLocale::system().name() : std::move(locale))
{
}

QStringList DesktopEntryNames::defaultDataDirs()
{
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty())
        home = QDir::homePath() + QStringLiteral("/.local/share");
    QString system = qEnvironmentVariable("XDG_DATA_DIRS");
    if (system.isEmpty())
        system = QStringLiteral("/usr/local/share:/usr/share");
    return QStringList {home} + system.split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

QString DesktopEntryNames::name(const QString &id)
{
    if (id.isEmpty())
        return {};
    auto found = m_cache.constFind(id);
    if (found != m_cache.constEnd())
        return found.value();
    const QString value = lookUp(id);
    m_cache.insert(id, value);
    return value;
}

QString DesktopEntryNames::lookUp(const QString &id) const
{
    QString file = id.endsWith(QLatin1String(".desktop")) ? id : id + QLatin1String(".desktop");
    // Ids are file names, never paths.
    if (file.contains(QLatin1Char('/')))
        return {};
    for (const QString &dir : m_dataDirs) {
        for (const QString &candidate : {file, file.toLower()}) {
            const QString name = readName(dir + QLatin1String("/applications/") + candidate);
            if (!name.isEmpty())
                return name;
        }
    }
    return {};
}

QString DesktopEntryNames::readName(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text) || file.size() > 1024 * 1024)
        return {};
    const QString language = m_locale.section(QLatin1Char('_'), 0, 0);
    const QString exact = QStringLiteral("Name[%1]=").arg(m_locale);
    const QString general = QStringLiteral("Name[%1]=").arg(language);
    QString plain, localized, partial;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (!inEntry)
            continue;
        else if (line.startsWith(QLatin1String("Name=")))
            plain = line.mid(5).trimmed();
        else if (line.startsWith(exact))
            localized = line.mid(exact.size()).trimmed();
        else if (line.startsWith(general))
            partial = line.mid(general.size()).trimmed();
    }
    return !localized.isEmpty() ? localized : !partial.isEmpty() ? partial : plain;
}
