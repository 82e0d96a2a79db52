#include "widgets/gradientbuilder.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

GradientRandom::GradientRandom(quint32 seed)
    : m_generator(seed)
{
}

void GradientRandom::seed(quint32 seed)
{
    m_generator.seed(seed);
}

int GradientRandom::below(int bound)
{
    return bound > 0 ? int(m_generator.bounded(bound)) : 0;
}

GradientRandom &GradientRandom::shared()
{
    static GradientRandom random(QRandomGenerator::system()->generate());
    return random;
}

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c)
{
    const qint64 twice = 2 * qint64(a) * b;
    const qint64 rounded = (twice >= 0 ? twice + c : twice - c) / (2 * qint64(c));
    return int(rounded);
}

// start + i * (end - start) / (steps - 1) per channel, ties to even.
std::vector<QRgb> colourTable(const QColor &start, const QColor &end, int steps)
{
    std::vector<QRgb> table(steps);
    const auto channel = [steps](int from, int to, int i) {
        if (steps == 1)
            return from;
        return from + int(std::nearbyint(double(i) * (to - from) / double(steps - 1)));
    };
    for (int i = 0; i < steps; ++i)
        table[i] = qRgb(channel(start.red(), end.red(), i), channel(start.green(), end.green(), i),
                        channel(start.blue(), end.blue(), i));
    return table;
}

// The colour of each line across the gradient, counted along its length.
// Dithering sets the first 16 pixels of a line and the builder then repeats
// that strip over the whole breadth, so every line ends up in one colour.
std::vector<QRgb> lineColours(int length, const std::vector<QRgb> &table, bool dither, GradientRandom &random)
{
    const int steps = int(table.size());
    std::vector<QRgb> lines(length, table.front());
    for (int i = 0; i < steps; ++i) {
        const int from = mulDiv(i, length, steps);
        const int extent = mulDiv(i + 1, length, steps);
        // Each band reaches `extent` lines past its start; the next band
        // paints over the overlap.
        std::fill(lines.begin() + std::clamp(from, 0, length), lines.begin() + std::clamp(from + extent, 0, length),
                  table[i]);
        if (!dither || i == 0)
            continue;
        for (int j = 0; j <= length / (steps - 1); ++j) {
            const int line = from + random.below(j);
            if (line >= 0 && line < length)
                lines[line] = table[i - 1];
        }
    }
    return lines;
}

} // namespace

QImage buildGradient(int width, int height, const QColor &start, const QColor &end, int steps,
                     GradientDirection direction, bool dither, GradientRandom &random)
{
    if (width <= 0 || height <= 0)
        return {};
    const bool reversed = direction == GradientDirection::BottomToTop || direction == GradientDirection::RightToLeft;
    const bool vertical = direction == GradientDirection::TopToBottom || direction == GradientDirection::BottomToTop;
    const std::vector<QRgb> table =
        reversed ? colourTable(end, start, std::max(steps, 1)) : colourTable(start, end, std::max(steps, 1));
    const std::vector<QRgb> lines = lineColours(vertical ? height : width, table, dither, random);

    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        if (vertical)
            std::fill(row, row + width, lines[y]);
        else
            std::copy(lines.begin(), lines.end(), row);
    }
    return image;
}
