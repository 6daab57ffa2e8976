#include "effects.h"

#include "paint.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace kalvon::themegen {

namespace {

// Deterministic value noise in [0, 1].
double hashValue(int x, int y, int seed)
{
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0xFFFFFF);
}

double smoothNoise(double x, double y, int seed)
{
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const double fx = x - x0, fy = y - y0;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = hashValue(x0, y0, seed), b = hashValue(x0 + 1, y0, seed);
    const double c = hashValue(x0, y0 + 1, seed), d = hashValue(x0 + 1, y0 + 1, seed);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

double turbulence(double x, double y, int seed)
{
    return 0.55 * smoothNoise(x / 9.0, y / 9.0, seed) + 0.3 * smoothNoise(x / 4.0, y / 4.0, seed + 1)
        + 0.15 * smoothNoise(x / 2.0, y / 2.0, seed + 2);
}

// Colour of fire at a heat in [0, 1]: smoke, red, orange, yellow, a pale core.
QColor fire(double heat)
{
    struct Stop {
        double at;
        QColor colour;
    };
    static const Stop stops[]
        = { { 0.0, QColor(52, 44, 48) }, { 0.2, QColor(150, 34, 20) }, { 0.45, QColor(236, 96, 24) },
              { 0.7, QColor(255, 190, 64) }, { 0.9, QColor(255, 240, 170) }, { 1.0, QColor(250, 252, 236) } };
    heat = std::clamp(heat, 0.0, 1.0);
    for (size_t i = 1; i < std::size(stops); ++i)
        if (heat <= stops[i].at)
            return mix(stops[i - 1].colour, stops[i].colour,
                (heat - stops[i - 1].at) / (stops[i].at - stops[i - 1].at));
    return stops[std::size(stops) - 1].colour;
}

// Pixels of a heat map above the threshold become fire; the rest stays transparent.
template <typename HeatFn> QImage burn(int width, int height, double threshold, HeatFn heatAt)
{
    QImage image = canvas(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double heat = heatAt(x, y);
            if (heat > threshold)
                image.setPixelColor(x, y, fire((heat - threshold) / (1.0 - threshold)));
        }
    return image;
}

void sparks(QImage& image, int count, QPointF origin, double travel, double spread, int seed, bool radial)
{
    for (int i = 0; i < count; ++i) {
        const double angle = radial
            ? hashValue(i, 1, seed) * 2 * std::numbers::pi
            : (hashValue(i, 1, seed) < 0.5 ? std::numbers::pi : 0.0) + (hashValue(i, 2, seed) - 0.5) * 1.4;
        const double dist = travel * (0.55 + 0.45 * hashValue(i, 3, seed));
        const double ox = radial ? 0 : (hashValue(i, 4, seed) - 0.5) * spread;
        const int x = int(origin.x() + ox + std::cos(angle) * dist);
        const int y = int(origin.y() - std::sin(angle) * dist * (radial ? 1.0 : 0.5));
        const QColor c = fire(0.75 + 0.25 * hashValue(i, 5, seed));
        for (const QPoint d : { QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1) })
            if (QRect(0, 0, image.width(), image.height()).contains(QPoint(x, y) + d))
                image.setPixelColor(QPoint(x, y) + d, c);
    }
}

} // namespace

QImage explosionFrame(int frame)
{
    const double t = double(frame) / (kExplosionFrames - 1); // 0 .. 1
    // The blast opens from the middle row outwards, then burns down to embers.
    const double reach = 14 + 30 * std::min(1.0, t * 3.5);
    const double strength = t < 0.35 ? 1.0 : std::max(0.0, 1.0 - (t - 0.35) / 0.7);
    const double threshold = 0.12 + 0.5 * std::pow(t, 1.3);
    QImage image = burn(192, 64, threshold, [&](int x, int y) {
        const double band = std::max(0.0, 1.0 - std::abs(y - 31.5) / reach);
        const double n = turbulence(x + frame * 7.0, y - frame * 3.0, 11);
        return std::pow(band, 0.7) * strength * (0.45 + 0.75 * n) + (t < 0.12 ? 0.35 * band : 0.0);
    });
    if (frame > 0 && frame < kExplosionFrames - 1)
        sparks(image, 40 - 3 * frame, QPointF(96, 32), 20 + 110 * t, 180, frame, false);
    return whiteKeyed(image);
}

QImage bombFrame(int frame)
{
    const double t = double(frame) / (kBombFrames - 1);
    const double radius = 8 + 24 * std::min(1.0, t * 3.0);
    const double strength = t < 0.35 ? 1.0 : std::max(0.0, 1.0 - (t - 0.35) / 0.6);
    const double threshold = 0.12 + 0.5 * t;
    QImage image = burn(64, 64, threshold, [&](int x, int y) {
        const double r = std::hypot(x - 31.5, y - 31.5);
        const double core = std::max(0.0, 1.0 - r / radius);
        const double n = turbulence(x * 1.3 + frame * 5.0, y * 1.3 + frame * 2.0, 29);
        return std::pow(core, 0.6) * strength * (0.5 + 0.7 * n) + (t < 0.1 ? 0.4 * core : 0.0);
    });
    // The shock ring runs ahead of the fire in the early frames.
    if (t > 0.05 && t < 0.6) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        const double ring = radius + 4 + 10 * t;
        p.setPen(QPen(QColor(255, 214, 140, int(220 * (1 - t / 0.6))), 2.0));
        p.drawEllipse(QPointF(32, 32), ring, ring);
    }
    if (frame > 1 && frame < kBombFrames - 1)
        sparks(image, 20 - frame, QPointF(32, 32), 10 + 24 * t, 0, frame + 100, true);
    return whiteKeyed(image);
}

} // namespace kalvon::themegen
