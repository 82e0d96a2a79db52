#pragma once

#include <QColor>
#include <QImage>
#include <QRandomGenerator>

enum class GradientDirection { TopToBottom, BottomToTop, LeftToRight, RightToLeft };

// The random source of the gradient dithering. The controls share one source
// that seeds itself once per run; tests seed it to get repeatable pictures.
class GradientRandom {
public:
    explicit GradientRandom(quint32 seed);

    void seed(quint32 seed);
    // Uniform in 0 .. bound - 1, and 0 when bound is 0.
    int below(int bound);

    static GradientRandom &shared();

private:
    QRandomGenerator m_generator;
};

// Builds a width x height picture that runs from `start` to `end` in `steps`
// colour bands. With `dither` on, the border row of each band takes the
// colour of the band before it at random places, which softens the steps.
// An empty size gives a null picture.
QImage buildGradient(int width, int height, const QColor &start, const QColor &end, int steps,
                     GradientDirection direction, bool dither, GradientRandom &random = GradientRandom::shared());
