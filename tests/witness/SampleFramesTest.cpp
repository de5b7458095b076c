#include "Solitask/witness/SampleFrames.h"
#include "SolitaskCore/Formatters.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

const Calendar berlin(QTimeZone("Europe/Berlin"));
const QDateTime wednesday = QDateTime(QDate(2026, 3, 4), QTime(15, 0), berlin.timeZone()).toUTC();

QImage decode(const QByteArray &jpeg, QByteArray *format = nullptr)
{
    QBuffer buffer;
    buffer.setData(jpeg);
    QImageReader reader(&buffer);
    if (format)
        *format = reader.format();
    return reader.read();
}

TEST(SampleFrames, SixLegibleJpegsOfTheHourAtTheDefaultWidth)
{
    const QList<SampleFrames::Sample> samples = SampleFrames::make(784, berlin, wednesday);
    ASSERT_EQ(samples.size(), 6);
    const char *captions[] = {"10:10 · Google Docs — Pricing v3", "10:20 · Slack — #eng",
        "10:30 · Google Docs — Pricing v3", "10:40 · Gmail — Inbox (14)",
        "10:50 · Google Docs — Pricing v3", "11:00 · Safari — Hacker News"};
    for (int i = 0; i < samples.size(); ++i) {
        SCOPED_TRACE(i);
        const SampleFrames::Sample &sample = samples[i];
        EXPECT_GE(sample.jpeg.size(), 5000);
        QByteArray format;
        const QImage image = decode(sample.jpeg, &format);
        EXPECT_EQ(format, "jpeg");
        EXPECT_EQ(image.size(), QSize(784, 490));
        EXPECT_EQ(sample.meta.caption(berlin), QString::fromUtf8(captions[i]));
        EXPECT_EQ(sample.meta.id, QStringLiteral("sample-%1").arg(i));
        EXPECT_EQ(sample.meta.bundleID, QStringLiteral("sample.%1").arg(i));
        EXPECT_EQ(sample.meta.file, QStringLiteral("sample-%1.jpg").arg(i));
        EXPECT_EQ(berlin.date(sample.meta.time), QDate(2026, 3, 4));
        EXPECT_TRUE(sample.meta.isUsable());
    }
}

TEST(SampleFrames, SizeFollowsTheWidth)
{
    EXPECT_EQ(
        decode(SampleFrames::render(QStringLiteral("Slack"), QStringLiteral("#eng"), 0xEEEBFB, 320))
            .size(),
        QSize(320, 200));
}

TEST(SampleFrames, TheTitleIsDrawnIntoTheFrame)
{
    const QImage a = decode(
        SampleFrames::render(QStringLiteral("Docs"), QStringLiteral("Pricing v3"), 0xDCEBFA, 784));
    const QImage b = decode(
        SampleFrames::render(QStringLiteral("Docs"), QStringLiteral("Roadmap"), 0xDCEBFA, 784));
    // The large title sits 68 px below the card's top (59 px from the image top) at x = 103.
    const QRect titleArea(100, 95, 300, 40);
    EXPECT_NE(a.copy(titleArea), b.copy(titleArea));
    int dark = 0;
    for (int y = titleArea.top(); y <= titleArea.bottom(); ++y)
        for (int x = titleArea.left(); x <= titleArea.right(); ++x)
            dark += qGray(a.pixel(x, y)) < 100;
    EXPECT_GT(dark, 100) << "the title is ink on white";
}

TEST(SampleFrames, SelfTestMessageCarriesTheSamplePeriod)
{
    const QByteArray line = SampleFrames::selfTestMessage(wednesday, berlin);
    ASSERT_TRUE(line.endsWith('\n'));
    EXPECT_EQ(line.count('\n'), 1);
    const QJsonObject message = QJsonDocument::fromJson(line).object();
    EXPECT_EQ(message.value(QStringLiteral("type")).toString(), QStringLiteral("user"));
    const QJsonArray content = message.value(QStringLiteral("message"))
                                   .toObject()
                                   .value(QStringLiteral("content"))
                                   .toArray();
    ASSERT_EQ(content.size(), 1 + 6 * 2);
    const QString text = content[0].toObject().value(QStringLiteral("text")).toString();
    const QString declared = Formatters::hm(wednesday.addSecs(-3600)); // an hour before now
    EXPECT_TRUE(text.startsWith(
        QStringLiteral("Declaration: \"Finish the pricing page\" (until done), declared at ")
        + declared + u'.'))
        << qPrintable(text);
    EXPECT_TRUE(
        text.contains(QStringLiteral("App switches this period: 9 across 4 apps. Dwell: Google "
                                     "Docs 31 min, Slack 12 min, Gmail 9 min, Safari 8 min.")));
    EXPECT_TRUE(text.contains(QStringLiteral("Below are 6 frames, each preceded")));
    EXPECT_EQ(content[1].toObject().value(QStringLiteral("text")).toString(),
        QStringLiteral("Frame 1 · 10:10 · Google Docs — Pricing v3"));
    const QJsonObject source = content[2].toObject().value(QStringLiteral("source")).toObject();
    EXPECT_EQ(source.value(QStringLiteral("media_type")).toString(), QStringLiteral("image/jpeg"));
    EXPECT_EQ(
        decode(QByteArray::fromBase64(source.value(QStringLiteral("data")).toString().toLatin1()))
            .size(),
        QSize(784, 490));
}

} // namespace
