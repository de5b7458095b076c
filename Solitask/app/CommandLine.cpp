#include "Solitask/app/CommandLine.h"

#include "Solitask/app/AppInfo.h"

#include <algorithm>
#include <optional>

namespace CommandLine {

namespace {

constexpr Option optionTable[] = {
    {"--self-test", "", "check the witness on sample frames and exit"},
    {"--with-claude", "", "with --self-test: ask your claude command line too"},
    {"--with-capture", "", "with --self-test: also capture this screen"},
    {"--dry-run", "", "a scripted solitask in fast motion, headless; prints a JSON report"},
    {"--peek", "FILE", "write the frame the witness would take now to FILE (JPEG) and exit"},
    {"--summon", "", "bring the running Solitask forward (bind it to a key) and exit"},
    {"--window-check", "", "print a JSON report of the open windows and exit"},
    {"--preview-gate", "", "show the gate for six seconds and exit"},
    {"--reset-presentation", "", "release a gate lock left behind and exit"},
    {"--help", "", "print this help and exit (also -h)"},
    {"--version", "", "print the version and exit"},
};

constexpr Variable variableTable[] = {
    {"SOLITASK_ROOT=DIR", "folder of day files, frames and diag.log (~/.local/share/Solitask)"},
    {"SOLITASK_DIAG=1", "also keep a snapshot of the session in state.json there"},
    {"SOLITASK_SHOT=PATH", "render the strip to PATH-open.png and exit"},
    {"SOLITASK_WINDOW_SHOT=DIR", "render the journal, onboarding and settings into DIR and exit"},
    {"SOLITASK_GATE_SHOT=PREFIX", "render the gate to PREFIX-question.png, PREFIX-resume.png"},
};

const Option *find(std::span<const Option> table, const QString &name)
{
    const auto found = std::find_if(table.begin(), table.end(),
        [&name](const Option &o) { return name == QLatin1String(o.name); });
    return found == table.end() ? nullptr : &*found;
}

struct Word
{
    QString name;
    std::optional<QString> value; // given as --name=value
};

Word split(const QString &argument)
{
    if (argument == QLatin1String("-h"))
        return {QStringLiteral("--help"), std::nullopt};
    const qsizetype equals = argument.indexOf(QLatin1Char('='));
    if (!argument.startsWith(QLatin1String("--")) || equals < 0)
        return {argument, std::nullopt};
    return {argument.left(equals), argument.mid(equals + 1)};
}

QString unknown(const QString &word)
{
    return word.startsWith(QLatin1Char('-')) ? QStringLiteral("unknown option '%1'").arg(word)
                                             : QStringLiteral("unexpected argument '%1'").arg(word);
}

QString usage(const QString &left, const char *help)
{
    constexpr int column = 28;
    return QStringLiteral("  %1 %2\n").arg(left, -column).arg(QString::fromUtf8(help));
}

} // namespace

std::span<const Option> options()
{
    return optionTable;
}

std::span<const Variable> variables()
{
    return variableTable;
}

Parsed parse(const QStringList &arguments, std::span<const Option> table)
{
    Parsed parsed;
    for (int i = 0; i < arguments.size(); ++i) {
        const Word word = split(arguments.at(i));
        const Option *option = find(table, word.name);
        if (!option) {
            parsed.error = unknown(word.name);
            break;
        }
        parsed.flags.append(word.name);
        const bool takesValue = *option->argument != '\0';
        if (!takesValue && word.value) {
            parsed.error = QStringLiteral("option '%1' takes no value").arg(word.name);
            break;
        }
        if (!takesValue)
            continue;
        if (!word.value && i + 1 == arguments.size()) {
            parsed.error = QStringLiteral("option '%1' needs %2").arg(word.name, option->argument);
            break;
        }
        parsed.values.insert(word.name, word.value ? *word.value : arguments.at(++i));
    }
    return parsed;
}

QString help()
{
    QString text = QStringLiteral("Usage: %1 [OPTION]...\n"
                                  "%2 %3: declare the one thing you work on; a quiet witness "
                                  "keeps the record.\nWithout options it starts in the tray of "
                                  "your X11, GNOME, KDE Plasma or wlroots (sway) session.\n\nOptions:\n")
                       .arg(AppInfo::command(), AppInfo::name(), AppInfo::version());
    for (const Option &o : optionTable) {
        const QString left = *o.argument ? QStringLiteral("%1 %2").arg(o.name, o.argument)
                                         : QString::fromUtf8(o.name);
        text += usage(left, o.help);
    }
    text += QStringLiteral("\nEnvironment:\n");
    for (const Variable &v : variableTable)
        text += usage(QString::fromUtf8(v.name), v.help);
    text += QStringLiteral("\nExit status: 0 done, 1 failed, 2 bad command line. "
                           "See %1(1).\n")
                .arg(AppInfo::command());
    return text;
}

} // namespace CommandLine
