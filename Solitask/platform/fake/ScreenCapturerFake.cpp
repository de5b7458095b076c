#include "Solitask/platform/fake/ScreenCapturerFake.h"

ScreenCapturerFake::ScreenCapturerFake()
{
    setDisplaySize(QSize(1512, 982));
}

void ScreenCapturerFake::setDisplaySize(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0xDC, 0xEB, 0xFA));
    m_result = {image, QString(), false};
}

void ScreenCapturerFake::capture(
    const QStringList &excludedBundleIDs, int minWidth, Completion done)
{
    ++m_captures;
    m_lastExcluded = excludedBundleIDs;
    m_lastMinWidth = minWidth;
    if (m_hold)
        m_pending.append(std::move(done));
    else
        done(m_result);
}

void ScreenCapturerFake::completePending()
{
    const QList<Completion> pending = std::exchange(m_pending, {});
    for (const Completion &done : pending)
        done(m_result);
}
