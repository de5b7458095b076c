#include "Solitask/settings/WitnessPeekWindow.h"

#include "Solitask/journal/TextLabel.h"
#include "Solitask/ui/Palette.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

WitnessPeekWindow::WitnessPeekWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_image(new QLabel)
    , m_text(textLabel(QString(), 12, Palette::ink2()))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("What the witness sees"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(10);
    column->addWidget(m_image);
    column->addWidget(m_text);
}

void WitnessPeekWindow::show(const QByteArray &jpeg, const QString &skipText)
{
    const QImage image = QImage::fromData(jpeg, "JPEG");
    m_showsFrame = !image.isNull();
    m_image->setVisible(m_showsFrame);
    if (m_showsFrame) {
        m_image->setPixmap(QPixmap::fromImage(image));
        m_text->setText(QStringLiteral("This is the frame the witness would take now. It is shown "
                                       "here only: not kept, not sent."));
    } else {
        m_text->setText(QStringLiteral("No frame would be taken now: ") + skipText);
    }
    adjustSize();
    QWidget::show();
    raise();
    activateWindow();
}

QString WitnessPeekWindow::text() const
{
    return m_text->text();
}
