#include "SolitaskCore/NudgeCopy.h"

#include <QStringList>
#include <QTextBoundaryFinder>

#include <array>

namespace NudgeCopy {

namespace {

constexpr std::array<const char *, 11> numberWords
    = {"Zero", "One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine", "Ten"};

/// Positions where user-perceived characters start, plus the end of the text.
QList<qsizetype> graphemeBoundaries(const QString &text)
{
    QList<qsizetype> boundaries;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype at = 0; at != -1; at = finder.toNextBoundary())
        boundaries.append(at);
    if (boundaries.last() != text.size())
        boundaries.append(text.size());
    return boundaries;
}

QString withoutTrailingBlanks(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && (text.at(end - 1) == u' ' || text.at(end - 1) == u'\t'))
        --end;
    text.truncate(end);
    return text;
}

QString capitalizedFirst(const QString &text)
{
    if (text.isEmpty())
        return text;
    const qsizetype first = graphemeBoundaries(text).value(1, text.size());
    return text.left(first).toUpper() + text.mid(first);
}

bool isWordBreak(QChar c)
{
    return c == u' ' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0x85)
        || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

qsizetype wordCount(const QString &text)
{
    qsizetype words = 0;
    bool inWord = false;
    for (const QChar c : text) {
        const bool wordChar = !isWordBreak(c);
        words += (wordChar && !inWord) ? 1 : 0;
        inWord = wordChar;
    }
    return words;
}

QString judgeNudgeOr(const JudgeResult &result, const QString &fallback)
{
    return isValid(result.nudge) ? result.nudge : fallback;
}

} // namespace

std::optional<QString> line(const JudgeResult &result, const QString &thing)
{
    if (result.verdict == Verdict::aligned || result.verdict == Verdict::unclear)
        return std::nullopt;
    const QString brief = shortThing(thing, shortThingLength);
    const auto threads = result.threads.size();
    if (threads >= switchingThreads)
        return switchingLine(static_cast<int>(threads), brief);
    switch (result.verdict) {
    case Verdict::mostly:
        return QStringLiteral("Mostly with %1 this hour. Nice.").arg(brief);
    case Verdict::drifting:
        return judgeNudgeOr(result,
            QStringLiteral("Last hour drifted. %1 is still the solitask.")
                .arg(capitalizedFirst(brief)));
    case Verdict::away:
        return judgeNudgeOr(result,
            QStringLiteral("Looked like a different hour. Still on %1, or switch?").arg(brief));
    default:
        return std::nullopt;
    }
}

QString switchingLine(int threads, const QString &thing)
{
    return numberWord(threads) + QStringLiteral(" different things this hour. Pick one — you said ")
        + shortThing(thing, shortThingLength) + QLatin1Char('.');
}

std::optional<QString> switchesOnlyLine(qint64 switches)
{
    if (switches < switchesForLine)
        return std::nullopt;
    return QStringLiteral("A lot of bouncing this hour — %1 app switches.").arg(switches);
}

QString shortThing(const QString &text, int max)
{
    const QString trimmed = text.trimmed();
    const QList<qsizetype> boundaries = graphemeBoundaries(trimmed);
    const qsizetype characters = boundaries.size() - 1;
    if (characters <= max)
        return trimmed;
    const qsizetype keep = std::max(max, 1) - 1;
    return withoutTrailingBlanks(trimmed.left(boundaries.at(keep))) + QStringLiteral("…");
}

bool isValid(const QString &nudge)
{
    const QString trimmed = nudge.trimmed();
    const qsizetype words = wordCount(trimmed);
    if (words < minWords || words > maxWords || trimmed.contains(u'!'))
        return false;
    const QString lower = trimmed.toLower();
    for (const char *phrase : {"you should", "you must", "you need to"}) {
        if (lower.contains(QLatin1String(phrase)))
            return false;
    }
    return true;
}

QString numberWord(qint64 count)
{
    if (count >= 0 && count < static_cast<qint64>(numberWords.size()))
        return QString::fromLatin1(numberWords[static_cast<std::size_t>(count)]);
    return QString::number(count);
}

} // namespace NudgeCopy
