#include "Solitask/settings/BudgetControl.h"

#include "Solitask/journal/TextLabel.h"
#include "Solitask/session/Prefs.h"
#include "Solitask/settings/SettingsRules.h"
#include "Solitask/ui/Palette.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>

#include <cmath>

BudgetControl::BudgetControl(std::function<void()> onChange, QWidget *parent)
    : QWidget(parent)
    , m_onChange(std::move(onChange))
    , m_slider(new QSlider(Qt::Horizontal))
{
    const double shown = SettingsRules::clampedBudget(Prefs::real(Prefs::Key::budgetUSD));
    m_value = textLabel(SettingsRules::budgetText(shown), 12, Palette::ink2());
    m_value->setFixedWidth(44);
    m_slider->setRange(10, 100);
    m_slider->setFixedWidth(150);
    m_slider->setValue(int(std::lround(shown * 100)));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(m_slider);
    row->addWidget(m_value);
    connect(m_slider, &QSlider::valueChanged, this, &BudgetControl::write);
    connect(m_slider, &QSlider::sliderReleased, this, [this] {
        if (m_onChange)
            m_onChange();
    });
}

QString BudgetControl::valueText() const
{
    return m_value->text();
}

void BudgetControl::write(int cents)
{
    const double value = SettingsRules::clampedBudget(cents / 100.0);
    Prefs::setValue(Prefs::Key::budgetUSD, value);
    m_value->setText(SettingsRules::budgetText(value));
    // Keyboard and wheel changes have no release: announce them at once.
    if (!m_slider->isSliderDown() && m_onChange)
        m_onChange();
}
