#pragma once

#include "Solitask/session/SummonInput.h"

#include <QObject>

#include <functional>

class GlobalHotKey;

/// The global hot key Control-Option-O (Control-Alt-O on a PC keyboard).
class HotKeys : public QObject, public SummonInput
{
    Q_OBJECT

public:
    explicit HotKeys(GlobalHotKey &key, QObject *parent = nullptr);

    /// Called on the main thread, outside the event that detected the press.
    std::function<void()> onSummon;

    /// (Re)registers the hot key and logs the outcome; safe to call repeatedly.
    void registerKey();
    void unregisterKey();
    bool registered() const { return m_registered; }
    int lastStatus() const { return m_lastStatus; }

    void setHandler(std::function<void()> handler) override { onSummon = std::move(handler); }
    void start() override { registerKey(); }
    void stop() override { unregisterKey(); }

private:
    void pressed();

    GlobalHotKey &m_key;
    bool m_registered = false;
    bool m_handlerInstalled = false;
    int m_lastStatus = 0;
};
