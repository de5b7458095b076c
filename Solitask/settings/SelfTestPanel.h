#pragma once

#include "Solitask/settings/SelfTestPort.h"

#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;
class QHBoxLayout;

/// Runs the judge on the sample hour and says whether the witness answers.
class SelfTestPanel : public QWidget
{
    Q_OBJECT

public:
    enum class Phase { idle, running, ready, failed };

    SelfTestPanel(const QString &buttonTitle, SelfTestPort port, QWidget *parent = nullptr);

    Phase phase() const { return m_phase; }
    /// The status line as shown ("Asking the witness…", the failure, …).
    QString statusText() const;
    QPushButton *button() const { return m_button; }
    const std::optional<QString> &claudePath() const { return m_claudePath; }

    /// Starts the self-test, as the button does.
    void run();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void locate();
    void located(const std::optional<QString> &path);
    void completed(const JudgeSelfTestAnswer &answer);
    void showStatus(const QColor &dot, const QString &text, const QColor &ink,
                    const QString &detail = {});

    SelfTestPort m_port;
    Phase m_phase = Phase::idle;
    bool m_located = false;
    std::optional<QString> m_claudePath;
    QPushButton *m_button;
    QWidget *m_status;
    QHBoxLayout *m_statusRow;
};
