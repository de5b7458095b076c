#pragma once

#include <QWidget>

class QScreen;

/// One full-screen cover of the insisting gate: frameless, above other
/// windows, able to take the keyboard, and not closable by the person (the
/// window manager's close is ignored; the controller removes it).
class GateWindow : public QWidget
{
    Q_OBJECT

public:
    GateWindow(QScreen *screen, QWidget *content);

    QScreen *targetScreen() const { return m_screen; }
    /// Shows it over the whole of its screen.
    void cover();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QScreen *m_screen;
};
