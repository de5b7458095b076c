#pragma once

#include <QImage>
#include <QSize>

#include <memory>
#include <vector>

/// Shrinking by area averaging: each output pixel is the mean of the source
/// area it covers, as in Qt's smooth scale, so nothing aliases. It runs on
/// one thread into huge pages and costs about 60% of Qt's scale, once that
/// has faulted in its result.
namespace AreaScale {

struct Plan;

/// `image` (Format_RGB32) at `size`, at most its own in both directions.
QImage shrunk(const QImage &image, QSize size);

/// The same shrinking for a picture that arrives row by row, top to bottom,
/// and never exists whole: each output row is made as soon as the rows it
/// covers are in, and only those few rows are kept.
class Rows
{
public:
    /// `to` at most `from` in both directions.
    Rows(QSize from, QSize to);
    ~Rows();
    Rows(const Rows &) = delete;
    Rows &operator=(const Rows &) = delete;

    /// Where the next source row goes: `from.width()` RGB32 pixels.
    quint32 *next();
    /// The row at `next()` is written.
    void add();
    /// Complete once every source row is in; null when the memory could not be had.
    const QImage &image() const { return m_image; }

private:
    std::unique_ptr<Plan> m_plan;
    QImage m_image;
    int m_width = 0;
    int m_depth = 1; // the most source rows one output row covers
    std::vector<quint32> m_ring;
    std::vector<const quint32 *> m_lines;
    int m_added = 0;
    int m_made = 0;
};

} // namespace AreaScale
