#pragma once

#include <QString>
#include <QWidget>

class QLabel;

/// One setting: its label and optional sub-text on the left, its control on the right.
class SettingsRow : public QWidget
{
    Q_OBJECT

public:
    SettingsRow(const QString &label, const QString &sub, QWidget *control,
                QWidget *parent = nullptr);

    QString label() const;
    QLabel *subLabel() const { return m_sub; }
    QWidget *control() const { return m_control; }

private:
    QLabel *m_label;
    QLabel *m_sub = nullptr;
    QWidget *m_control;
};
