#pragma once

#include <QWidget>

class QVBoxLayout;

/// Rows on a white rounded card with a hairline border, hairlines between them.
class SettingsCard : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsCard(QWidget *parent = nullptr);

    /// Appends a row, after a hairline unless it is the first.
    void addRow(QWidget *row);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVBoxLayout *m_column;
};
