#include "Solitask/gate/GateModel.h"

#include <QTextBoundaryFinder>

namespace {

// Counts what a person sees as characters: an emoji with a skin tone or a
// joined family is one, though it spans several code units.
int graphemes(const QString &text, int atMost)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (count < atMost && finder.toNextBoundary() > 0)
        ++count;
    return count;
}

} // namespace

GateModel::GateModel(QObject *parent)
    : QObject(parent)
{
}

void GateModel::setFace(const Face &face)
{
    if (face == m_face)
        return;
    m_face = face;
    Q_EMIT faceChanged();
}

void GateModel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    Q_EMIT textChanged(m_text);
}

void GateModel::setUntil(UntilChoice choice)
{
    if (choice == m_until)
        return;
    m_until = choice;
    Q_EMIT untilChanged();
}

void GateModel::setCompact(bool compact)
{
    if (compact == m_compact)
        return;
    m_compact = compact;
    Q_EMIT compactChanged();
}

std::optional<QString> GateModel::declaration(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (graphemes(trimmed, 2) < 2)
        return std::nullopt;
    return trimmed;
}
