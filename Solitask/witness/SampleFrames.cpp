#include "Solitask/witness/SampleFrames.h"

#include "SolitaskCore/JudgeProtocol.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QUuid>

#include <array>

namespace SampleFrames {
namespace {

struct Row
{
    int hour;
    int minute;
    const char *app;
    const char *title;
    quint32 tint;
};

constexpr std::array<Row, sampleCount> rows = {{
    {10, 10, "Google Docs", "Pricing v3", 0xDCEBFA},
    {10, 20, "Slack", "#eng", 0xEEEBFB},
    {10, 30, "Google Docs", "Pricing v3", 0xDCEBFA},
    {10, 40, "Gmail", "Inbox (14)", 0xFCEBDD},
    {10, 50, "Google Docs", "Pricing v3", 0xDCEBFA},
    {11, 0, "Safari", "Hacker News", 0xF6D9E3},
}};

const QColor ink(43, 40, 56);

QFont systemFont(int pixelSize, QFont::Weight weight)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

void drawTextBars(QPainter &painter, const QRectF &card)
{
    QColor bar = ink;
    bar.setAlphaF(0.14);
    painter.setBrush(bar);
    double top = card.top() + 80;
    for (int i = 0; i < 9; ++i) {
        const bool heading = i % 3 == 0;
        const double width = card.width() * (heading ? 0.45 : 0.72);
        const double height = heading ? 14 : 8;
        painter.drawRoundedRect(QRectF(card.left() + 40, top, width, height), 3, 3);
        top += heading ? 30 : 20;
    }
}

void drawWindow(QPainter &painter, const QRectF &card, const QString &app, const QString &title)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(card, 10, 10);
    painter.setBrush(QColor(248, 246, 252));
    painter.drawRoundedRect(QRectF(card.left(), card.top(), card.width(), 34), 10, 10);

    painter.setPen(QColor(110, 105, 126));
    painter.setFont(systemFont(13, QFont::Medium));
    const QRectF captionBox(card.left(), card.top() + 26 - 18, card.width(), 18);
    painter.drawText(captionBox, Qt::AlignCenter, app + QStringLiteral(" — ") + title);

    painter.setPen(Qt::NoPen);
    drawTextBars(painter, card);

    painter.setPen(ink);
    painter.setFont(systemFont(22, QFont::DemiBold));
    painter.drawText(QPointF(card.left() + 40, card.top() + 68), title);
}

QDateTime rowTime(const Row &row, const Calendar &calendar, const QDateTime &now)
{
    return calendar.instant(calendar.date(now), QTime(row.hour, row.minute)).value_or(now);
}

} // namespace

QByteArray render(const QString &app, const QString &title, quint32 tint, int width)
{
    const int height = int(width * 0.625);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(tint));
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        // Laid out as on a bottom-left origin: the card sits 6 % above the bottom.
        const QRectF card(width * 0.08, height * (1 - 0.06 - 0.82), width * 0.84, height * 0.82);
        drawWindow(painter, card, app, title);
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 70);
    return jpeg;
}

QList<Sample> make(int width, const Calendar &calendar, const QDateTime &now)
{
    QList<Sample> samples;
    for (int i = 0; i < sampleCount; ++i) {
        const Row &row = rows[std::size_t(i)];
        const QString number = QString::number(i);
        FrameMeta meta {QStringLiteral("sample-") + number, rowTime(row, calendar, now),
            QString::fromUtf8(row.app), QStringLiteral("sample.") + number,
            QString::fromUtf8(row.title), std::nullopt, QStringLiteral("sample-%1.jpg").arg(i)};
        samples.append({meta, render(meta.appName, meta.windowTitle, row.tint, width)});
    }
    return samples;
}

QByteArray selfTestMessage(const QDateTime &now, const Calendar &calendar)
{
    Thing thing {QUuid::createUuid().toString(QUuid::WithoutBraces),
        QStringLiteral("Finish the pricing page"), now.addSecs(-3600), Until::untilDone(),
        std::nullopt, std::nullopt, std::nullopt};
    const QList<JudgeProtocol::DwellEntry> dwell {{QStringLiteral("Google Docs"), 1860},
        {QStringLiteral("Slack"), 720}, {QStringLiteral("Gmail"), 540},
        {QStringLiteral("Safari"), 480}};
    QList<JudgeProtocol::FrameInput> frames;
    for (const Sample &sample : make(defaultWidth, calendar, now))
        frames.append({sample.meta.caption(calendar), QString::fromLatin1(sample.jpeg.toBase64())});
    const QString text
        = JudgeProtocol::userText(thing, std::nullopt, 9, 4, dwell, frames.size(), false, now);
    return JudgeProtocol::ndjsonMessage(text, frames);
}

} // namespace SampleFrames
