#pragma once

#include <QObject>

#include <functional>

/// Watches the compact gate window and reports when the person closes it.
class AskWindowDelegate : public QObject
{
    Q_OBJECT

public:
    explicit AskWindowDelegate(std::function<void()> onClose, QObject *parent = nullptr);

    /// Starts watching `window`.
    void watch(QObject *window);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_onClose;
};
