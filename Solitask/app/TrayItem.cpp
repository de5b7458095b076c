#include "Solitask/app/TrayItem.h"

#include "Solitask/ui/Palette.h"
#include "SolitaskCore/Diag.h"

#include <QCursor>
#include <QPainter>
#include <QPixmap>

TrayItem::TrayItem(Scheduler &scheduler, std::function<void(QMenu &)> rebuild, QObject *parent)
    : QObject(parent)
    , m_rebuild(std::move(rebuild))
    , m_hostPoll(scheduler)
{
    m_icon.setIcon(glyphIcon(m_glyph));
    m_icon.setToolTip(QStringLiteral("Solitask"));
    m_icon.setContextMenu(&m_menu);
    connect(&m_menu, &QMenu::aboutToShow, this, [this] {
        if (m_rebuild)
            m_rebuild(m_menu);
    });
    connect(&m_icon, &QSystemTrayIcon::activated, this, &TrayItem::activated);
}

QIcon TrayItem::glyphIcon(const QString &glyph)
{
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal d = side * 0.5;
        const QRectF circle((side - d) / 2, (side - d) / 2, d, d);
        if (glyph == filled) {
            p.setPen(Qt::NoPen);
            p.setBrush(Palette::lilac());
            p.drawEllipse(circle);
        } else {
            const qreal w = std::max(1.5, side / 12.0);
            p.setPen(QPen(Palette::lilac(), w));
            p.drawEllipse(circle.adjusted(w / 2, w / 2, -w / 2, -w / 2));
        }
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void TrayItem::show()
{
    m_icon.show();
    checkHost();
    m_hostPoll.repeating(hostPoll, [this] { checkHost(); }, 1.0);
}

void TrayItem::setGlyph(const QString &glyph)
{
    if (glyph == m_glyph)
        return;
    m_glyph = glyph;
    m_icon.setIcon(glyphIcon(glyph));
}

void TrayItem::checkHost()
{
    const bool present = QSystemTrayIcon::isSystemTrayAvailable();
    if (present == m_hostPresent)
        return;
    m_hostPresent = present;
    if (present) {
        // A host that arrives late (or comes back) gets the icon again.
        m_icon.hide();
        m_icon.show();
        if (m_toldMissing)
            Diag::log(QStringLiteral("tray: host found"));
        return;
    }
    if (!m_toldMissing) {
        m_toldMissing = true;
        Diag::log(QStringLiteral(
            "tray: no tray host; the strip and the hot key still summon everything"));
    }
}

void TrayItem::activated(QSystemTrayIcon::ActivationReason reason)
{
    // A plain click opens the menu too, as a menu-bar item would.
    if (reason == QSystemTrayIcon::Trigger)
        m_menu.popup(QCursor::pos());
}
