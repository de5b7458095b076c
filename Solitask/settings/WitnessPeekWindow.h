#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>

class QLabel;

/// The frame the witness would take now, shown to the person and nowhere else:
/// not stored in the frames folder, never sent to the judge.
class WitnessPeekWindow : public QWidget
{
    Q_OBJECT

public:
    explicit WitnessPeekWindow(QWidget *parent = nullptr);

    /// The JPEG of the frame, or, when empty, why no frame would be taken.
    void show(const QByteArray &jpeg, const QString &skipText);
    QString text() const;
    bool showsFrame() const { return m_showsFrame; }

private:
    QLabel *m_image;
    QLabel *m_text;
    bool m_showsFrame = false;
};
