#include "Solitask/settings/LoginToggle.h"

#include "Solitask/platform/LoginItem.h"

LoginToggle::LoginToggle(LoginItem *item, std::function<void()> onChange, QWidget *parent)
    : SwitchToggle(item && item->isEnabled(), parent)
    , m_item(item)
    , m_onChange(std::move(onChange))
{
    setEnabled(item && item->support().supported);
    connect(this, &QAbstractButton::toggled, this, [this](bool on) {
        if (m_item)
            m_item->setEnabled(on); // a refusal shows below as the real state
        const QSignalBlocker quiet(this);
        setChecked(m_item && m_item->isEnabled());
        if (m_onChange)
            m_onChange();
    });
}
