#pragma once

#include "Solitask/session/GateFace.h"

#include <QWidget>

class ContinueButton;
class QLabel;
class QVBoxLayout;

/// "Still on …?" for a returning person: continue (also Return), done, or
/// something new.
class GateResumeFace : public QWidget
{
    Q_OBJECT

public:
    explicit GateResumeFace(QWidget *parent = nullptr);

    void setFace(const GateFace &face);
    void applyForm(bool compact);
    /// The width the title may wrap within, beside the 900-point maximum.
    void setAvailableWidth(int width);
    ContinueButton *continueButton() const { return m_continue; }

Q_SIGNALS:
    void resumed();
    void done();
    void somethingNew();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *makeAnswers();
    void fitTitle();

    QVBoxLayout *m_column;
    QLabel *m_header;
    QLabel *m_title;
    QLabel *m_stats;
    ContinueButton *m_continue;
    int m_availableWidth = 900;
};
