#pragma once

#include <QWidget>

class QScreen;

/// One full-screen cover of the insisting gate: frameless, above other
/// windows, able to take the keyboard, and not closable by the person (the
/// window manager's close is ignored; the controller removes it). Beneath a
/// presentation lock that shows it itself, it is left unmanaged instead, so
/// that it keeps the size of its own screen.
class GateWindow : public QWidget
{
    Q_OBJECT

public:
    GateWindow(QScreen *screen, QWidget *content, bool beneathLock = false);

    QScreen *targetScreen() const { return m_screen; }
    /// Shows it over the whole of its screen.
    void cover();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QScreen *m_screen;
    bool m_beneathLock;
};
