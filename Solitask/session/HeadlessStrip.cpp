#include "Solitask/session/HeadlessStrip.h"

#include "Solitask/session/StripModel.h"

HeadlessStrip::HeadlessStrip(StripModel &model)
    : m_model(model)
{
}

void HeadlessStrip::setExpanded(bool expanded)
{
    m_model.set(&StripState::expanded, expanded);
    m_visible = expanded;
}

void HeadlessStrip::collapse()
{
    m_dismissAfter.reset();
    m_holdOpen = false;
    setExpanded(false);
}

void HeadlessStrip::dismiss()
{
    collapse();
    m_hoverPolling = false;
}

void HeadlessStrip::presentTransient(std::optional<double> seconds)
{
    setExpanded(true);
    m_holdOpen = !seconds;
    m_dismissAfter = seconds;
}
