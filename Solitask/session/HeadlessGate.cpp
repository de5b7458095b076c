#include "Solitask/session/HeadlessGate.h"

void HeadlessGate::show(const GateFace &face, bool insist)
{
    m_face = face;
    m_insist = insist;
    m_showing = true;
    m_calls << (face.kind == GateFace::Kind::resume ? QStringLiteral("show resume")
                                                    : QStringLiteral("show question"));
}

void HeadlessGate::hide()
{
    if (m_showing)
        m_calls << QStringLiteral("hide");
    m_showing = false;
}

void HeadlessGate::bringForward()
{
    m_calls << QStringLiteral("forward");
}
