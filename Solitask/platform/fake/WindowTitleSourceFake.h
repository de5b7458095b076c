#pragma once

#include "Solitask/platform/WindowTitleSource.h"

#include <QHash>

/// Titles per process id, set by hand.
class WindowTitleSourceFake : public WindowTitleSource
{
public:
    Support support() const override { return Support::yes(); }
    QString windowTitle(qint32 pid) override { return m_titles.value(pid); }

    void setTitle(qint32 pid, const QString &title) { m_titles.insert(pid, title); }

private:
    QHash<qint32, QString> m_titles;
};
