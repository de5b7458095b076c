#pragma once

#include "Solitask/settings/SelfTestPort.h"

#include <QWidget>

#include <functional>

class SelfTestPanel;

/// Step three: meeting the witness with a live self-test. Continuing never
/// depends on the test.
class WitnessStep : public QWidget
{
    Q_OBJECT

public:
    WitnessStep(const SelfTestPort &port, std::function<void()> next, std::function<void()> back,
                QWidget *parent = nullptr);

    SelfTestPanel *panel() const { return m_panel; }

private:
    SelfTestPanel *m_panel;
};
