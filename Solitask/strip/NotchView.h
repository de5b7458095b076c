#pragma once

#include "Solitask/session/StripPresenter.h"

#include <QWidget>

class StripModel;

/// The strip's content: a dark card hanging from the top edge that shows the
/// strip model in one of its faces, the day so far and a row of actions. It
/// holds no state of its own; buttons call the actions the session wired.
class NotchView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int defaultExpandedWidth = 460;
    static constexpr qreal cornerRadius = 18;

    NotchView(StripModel &model, int topGap, int expandedWidth = defaultExpandedWidth,
              QWidget *parent = nullptr);

    const StripModel &model() const { return m_model; }
    int topGap() const { return m_topGap; }
    int expandedWidth() const { return m_expandedWidth; }

    void setActions(StripActions actions) { m_actions = std::move(actions); }
    const StripActions &actions() const { return m_actions; }

    /// Brings the content up to date with the model now; otherwise model
    /// changes are gathered and drawn once control returns to the event loop,
    /// or, while the view is hidden, when it is shown.
    void sync();

Q_SIGNALS:
    void rebuilt();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void modelChanged();
    void rebuild();
    QWidget *buildContent();
    QWidget *actionsRow();

    StripModel &m_model;
    int m_topGap;
    int m_expandedWidth;
    StripActions m_actions;
    QWidget *m_content = nullptr;
    bool m_dirty = true;
    bool m_queued = false;
};
