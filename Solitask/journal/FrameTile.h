#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

/// A frame's picture at 1.6 : 1, filling the tile and clipped to its rounded
/// corners; the frame's caption in its place while there is no picture.
class FrameTile : public QWidget
{
    Q_OBJECT

public:
    explicit FrameTile(const QString &caption, QWidget *parent = nullptr);

    void setImage(const QImage &image);
    bool hasImage() const { return !m_image.isNull(); }
    const QString &caption() const { return m_caption; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
    QImage m_image;
};
