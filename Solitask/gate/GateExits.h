#pragma once

#include <QString>
#include <QWidget>

#include <optional>

/// The ways off duty under both faces: "Off duty for 30 min · 2 h · rest of
/// today" and "Someone else is using this computer".
class GateExits : public QWidget
{
    Q_OBJECT

public:
    explicit GateExits(QWidget *parent = nullptr);

Q_SIGNALS:
    /// Minutes: none for the rest of the day, −1 until the next unlock.
    void offDuty(std::optional<int> minutes, const QString &reason);

private:
    QWidget *makeLink(const QString &text, std::optional<int> minutes, const QString &reason);
};
