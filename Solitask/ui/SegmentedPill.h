#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <QWidget>

/// A segmented switch: one segment per option, the selected one raised on a
/// white tile. Clicking a segment selects its value.
class SegmentedPill : public QWidget
{
    Q_OBJECT

public:
    struct Option
    {
        QVariant value;
        QString label;
    };

    explicit SegmentedPill(
        QList<Option> options, QVariant selection = {}, QWidget *parent = nullptr);

    const QList<Option> &options() const { return m_options; }
    const QVariant &selection() const { return m_selection; }
    /// Selecting a value that none of the options has leaves every segment unselected.
    void setSelection(const QVariant &value);

    /// Where segment `index` is drawn.
    QRectF segmentRect(int index) const;
    bool isSelected(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    /// The person picked another value.
    void selectionChanged(const QVariant &value);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    qreal segmentWidth(int index) const;
    int segmentAt(const QPointF &pos) const;
    void paintSegment(QPainter &p, int index) const;

    QList<Option> m_options;
    QVariant m_selection;
};
