#pragma once

#include "Solitask/platform/WindowTitleSource.h"

#include <QHash>

/// Titles per process id and of the active window, set by hand.
class WindowTitleSourceFake : public WindowTitleSource
{
public:
    Support support() const override { return Support::yes(); }
    QString windowTitle(qint32 pid) override { return m_titles.value(pid); }

    QString activeWindowTitle() override { return m_active; }

    void setTitle(qint32 pid, const QString &title) { m_titles.insert(pid, title); }
    void setActiveTitle(const QString &title) { m_active = title; }

private:
    QHash<qint32, QString> m_titles;
    QString m_active;
};
