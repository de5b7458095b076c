#include "Solitask/witness/SampleFrames.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>

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
    for (int i = 0; i < samples.size(); ++i) {
        SCOPED_TRACE(i);
        const SampleFrames::Sample &sample = samples[i];
        EXPECT_GE(sample.jpeg.size(), 5000);
        QByteArray format;
        const QImage image = decode(sample.jpeg, &format);
        EXPECT_EQ(format, "jpeg");
        EXPECT_EQ(image.size(), QSize(784, 490));
        EXPECT_EQ(berlin.date(sample.meta.time), QDate(2026, 3, 4));
        EXPECT_TRUE(sample.meta.isUsable());
    }
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
    const QJsonArray content = QJsonDocument::fromJson(line)[u"message"][u"content"].toArray();
    ASSERT_EQ(content.size(), 1 + 6 * 2);
    EXPECT_EQ(content[1][u"text"].toString(),
        QStringLiteral("Frame 1 · ")
            + SampleFrames::make(784, berlin, wednesday)[0].meta.caption(berlin));
    const QString data = content[2][u"source"][u"data"].toString();
    EXPECT_EQ(decode(QByteArray::fromBase64(data.toLatin1())).size(), QSize(784, 490));
}

} // namespace
