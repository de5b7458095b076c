#include "Solitask/session/Prefs.h"

#include "SolitaskCore/FileSafety.h"
#include "SolitaskCore/JudgeProtocol.h"

#include <QFileInfo>
#include <QSettings>

#include <cmath>
#include <functional>
#include <memory>
#include <sys/stat.h>

namespace Prefs {
namespace {

QVariantMap &registered()
{
    static QVariantMap map;
    return map;
}

std::unique_ptr<QSettings> &held()
{
    static std::unique_ptr<QSettings> settings;
    return settings;
}

// One object for the whole process: building a QSettings looks for its files
// on every construction, and the strip asks for a preference several times a
// second. The values stay in memory until `reload`.
QSettings &settings()
{
    std::unique_ptr<QSettings> &settings = held();
    if (!settings) {
        // Fixed names, so the file is the same whatever the running program is called.
        settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
            QStringLiteral("Solitask"), QStringLiteral("Solitask"));
    }
    return *settings;
}

// QSettings creates its folder, file and lock file with the process's umask;
// the preferences name private apps, so only the owner may read them, from
// the first byte on.
void privately(const std::function<void(QSettings &)> &change)
{
    QSettings &store = settings();
    FileSafety::makePrivateDir(QFileInfo(store.fileName()).absolutePath());
    const mode_t before = ::umask(077);
    change(store);
    store.sync();
    ::umask(before);
}

// What the two quiet-hours helpers need, read once per call: the boundary
// search probes a whole week minute by minute.
struct QuietRule
{
    bool weekends = true;
    int start = 0;
    int end = 0;

    static QuietRule current()
    {
        return {flag(Key::quietWeekends), integer(Key::quietStartMinutes),
            integer(Key::quietEndMinutes)};
    }

    bool holds(const QDateTime &at, const Calendar &calendar) const
    {
        const int weekday = calendar.weekday(at); // ISO: 6 Saturday, 7 Sunday
        if (weekends && weekday >= 6)
            return true;
        const int m = calendar.minutesAfterMidnight(at);
        if (start == end)
            return false;
        if (end > start)
            return start <= m && m < end;
        return m >= start || m < end;
    }
};

QDateTime truncatedToMinute(const QDateTime &instant, const Calendar &calendar)
{
    const QDateTime wall = calendar.local(instant);
    const QTime minute(wall.time().hour(), wall.time().minute());
    return calendar.instant(wall.date(), minute).value_or(instant);
}

QStringList stringsOrDefault(const QVariantList &items)
{
    QStringList strings;
    for (const QVariant &item : items) {
        if (item.metaType().id() != QMetaType::QString)
            return defaultPrivateBundleIDs();
        strings.append(item.toString());
    }
    return strings;
}

template <typename T> T bounded(T value, T low, T high)
{
    return std::min(std::max(value, low), high);
}

} // namespace

QString rawValue(WitnessModel model)
{
    switch (model) {
    case WitnessModel::economy:
        return QStringLiteral("economy");
    case WitnessModel::cliDefault:
        return QStringLiteral("cliDefault");
    case WitnessModel::sonnet:
        break;
    }
    return QStringLiteral("sonnet");
}

std::optional<WitnessModel> witnessModelFromRaw(const QString &raw)
{
    for (WitnessModel model : allWitnessModels) {
        if (rawValue(model) == raw)
            return model;
    }
    return std::nullopt;
}

QString judgeModel(WitnessModel model)
{
    switch (model) {
    case WitnessModel::economy:
        return JudgeProtocol::economyModel.toString();
    case WitnessModel::cliDefault:
        return QString();
    case WitnessModel::sonnet:
        break;
    }
    return JudgeProtocol::defaultModel.toString();
}

QVariantMap defaults()
{
    return {
        {Key::cadenceMinutes, 3},
        {Key::frameWidth, 784},
        {Key::quietStartMinutes, 1200},
        {Key::quietEndMinutes, 480},
        {Key::quietWeekends, true},
        {Key::resumeThresholdMinutes, 20},
        {Key::insist, true},
        {Key::stripPosition, QStringLiteral("underNotch")},
        {Key::stripOpacity, 0.3},
        {Key::retentionHours, 24},
        {Key::witnessModel, QStringLiteral("sonnet")},
        {Key::budgetUSD, 0.4},
        {Key::privateBundleIDs, defaultPrivateBundleIDs()},
        {Key::skipWhileCamera, true},
        {Key::soundOnNudge, false},
        {Key::notchHoverOpens, true},
        {Key::doubleTapOption, true},
    };
}

void registerDefaults()
{
    registered().insert(defaults());
}

void unregisterDefaults()
{
    registered().clear();
}

void reload()
{
    held().reset(); // writes what is pending as it goes
}

QVariant value(const QString &key)
{
    const QVariant stored = settings().value(key);
    return stored.isValid() ? stored : registered().value(key);
}

void setValue(const QString &key, const QVariant &value)
{
    privately([&](QSettings &store) { store.setValue(key, value); });
}

void remove(const QString &key)
{
    privately([&](QSettings &store) { store.remove(key); });
}

bool flag(const QString &key)
{
    return value(key).toBool();
}

// A stored value that is not a number reads as the registered default (or 0).
int integer(const QString &key)
{
    bool ok = false;
    const int number = value(key).toInt(&ok);
    return ok ? number : registered().value(key).toInt();
}

double real(const QString &key)
{
    bool ok = false;
    const double number = value(key).toDouble(&ok);
    if (ok && std::isfinite(number))
        return number;
    return registered().value(key).toDouble();
}

QString text(const QString &key)
{
    return value(key).toString();
}

int cadenceMinutes()
{
    return std::max(integer(Key::cadenceMinutes), 1);
}

int frameWidth()
{
    return std::max(integer(Key::frameWidth), 320);
}

int resumeThresholdMinutes()
{
    return std::max(integer(Key::resumeThresholdMinutes), 1);
}

int retentionHours()
{
    return integer(Key::retentionHours);
}

double budgetUSD()
{
    return bounded(real(Key::budgetUSD), 0.1, 1.0);
}

double stripOpacity()
{
    return bounded(real(Key::stripOpacity), 0.1, 0.9);
}

WitnessModel witnessModel()
{
    return witnessModelFromRaw(text(Key::witnessModel)).value_or(WitnessModel::sonnet);
}

QStringList defaultPrivateBundleIDs()
{
    return {
        // The identifiers the application knows from other systems.
        QStringLiteral("com.1password.1password"),
        QStringLiteral("com.agilebits.onepassword7"),
        QStringLiteral("com.bitwarden.desktop"),
        QStringLiteral("com.apple.keychainaccess"),
        QStringLiteral("com.apple.Passwords"),
        QStringLiteral("com.apple.MobileSMS"),
        QStringLiteral("org.whispersystems.signal-desktop"),
        QStringLiteral("net.whatsapp.WhatsApp"),
        QStringLiteral("com.apple.FaceTime"),
        QStringLiteral("com.apple.Photos"),
        // The same kinds of apps on Linux, by desktop-entry id and by WM_CLASS,
        // since an app is known by whichever of the two its windows carry.
        QStringLiteral("org.keepassxc.KeePassXC"),
        QStringLiteral("KeePassXC"),
        QStringLiteral("1password"),
        QStringLiteral("1Password"),
        QStringLiteral("Bitwarden"),
        QStringLiteral("org.gnome.seahorse.Application"),
        QStringLiteral("Seahorse"),
        QStringLiteral("org.kde.kwalletmanager5"),
        QStringLiteral("org.signal.Signal"),
        QStringLiteral("signal-desktop"),
        QStringLiteral("Signal"),
        QStringLiteral("org.telegram.desktop"),
        QStringLiteral("TelegramDesktop"),
        QStringLiteral("im.riot.Riot"),
        QStringLiteral("Element"),
        QStringLiteral("com.github.eneshecan.WhatsAppForLinux"),
        QStringLiteral("whatsapp-for-linux"),
        QStringLiteral("org.gnome.Shotwell"),
        QStringLiteral("Shotwell"),
        QStringLiteral("org.gnome.Photos"),
        QStringLiteral("org.kde.digikam"),
        QStringLiteral("digikam"),
    };
}

// The settings file cannot tell a one-element list from a single string, and
// writes an empty list as an invalid value, so both shapes are read back here.
QStringList privateBundleIDs()
{
    const QSettings &store = settings();
    if (!store.contains(Key::privateBundleIDs))
        return defaultPrivateBundleIDs();
    const QVariant stored = store.value(Key::privateBundleIDs);
    if (!stored.isValid())
        return {};
    if (stored.metaType().id() == QMetaType::QStringList)
        return stored.toStringList();
    if (stored.metaType().id() == QMetaType::QString)
        return {stored.toString()};
    if (stored.metaType().id() == QMetaType::QVariantList)
        return stringsOrDefault(stored.toList());
    return defaultPrivateBundleIDs();
}

void setPrivateBundleIDs(const QStringList &ids)
{
    setValue(Key::privateBundleIDs, ids);
}

bool isQuiet(const QDateTime &at, const Calendar &calendar)
{
    return QuietRule::current().holds(at, calendar);
}

std::optional<QDateTime> nextQuietBoundary(const QDateTime &after, const Calendar &calendar)
{
    const QuietRule rule = QuietRule::current();
    const bool quiet = rule.holds(after, calendar);
    for (int probe = 1; probe <= 10080; ++probe) {
        const QDateTime at = after.addSecs(60LL * probe);
        if (rule.holds(at, calendar) != quiet)
            return truncatedToMinute(at, calendar);
    }
    return std::nullopt;
}

} // namespace Prefs
