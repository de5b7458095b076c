#pragma once

#include "SolitaskCore/Diag.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

/// Points the diagnostic log at a fresh folder and reads back its messages
/// (the text after the time stamp), in order.
class DiagCapture
{
public:
    DiagCapture() { Diag::setRoot(m_dir.path()); }

    QStringList messages() const
    {
        Diag::flush();
        QFile file(Diag::logPath());
        QStringList result;
        if (!file.open(QIODevice::ReadOnly))
            return result;
        for (const QByteArray &line : file.readAll().split('\n')) {
            const qsizetype space = line.indexOf(' ');
            if (space > 0)
                result << QString::fromUtf8(line.mid(space + 1));
        }
        return result;
    }

    qsizetype count(const QString &message) const { return messages().count(message); }

private:
    QTemporaryDir m_dir;
};
