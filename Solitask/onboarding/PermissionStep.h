#pragma once

#include <QTimer>
#include <QWidget>

#include <functional>

class ScreenPermission;
struct Capability;
class QVBoxLayout;

/// Step two: the screen-capture permission, as the platform really has it.
/// While the step is on screen the permission is re-read every second.
class PermissionStep : public QWidget
{
    Q_OBJECT

public:
    /// `capabilities`, when given, are listed under the note: what works in
    /// this session and what to do about what does not.
    PermissionStep(ScreenPermission *permission, std::function<void()> next,
                   std::function<void()> back, const QList<Capability> &capabilities = {},
                   QWidget *parent = nullptr);

    bool granted() const { return m_granted; }
    bool checkedByHand() const { return m_checkedByHand; }
    /// Re-reads the permission (the poll and "I've granted it").
    void recheck();
    /// "I've granted it": re-reads and remembers that the person asked.
    void checkByHand();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void rebuild();
    void openSettings();

    ScreenPermission *m_permission;
    std::function<void()> m_next;
    std::function<void()> m_back;
    bool m_granted = false;
    bool m_checkedByHand = false;
    QString m_advice;
    QTimer m_poll;
    QVBoxLayout *m_actions;
};
