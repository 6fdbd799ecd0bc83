#pragma once
// Reproducible inputs for the robustness run: one generator seeded once, so a failure names a seed and an
// input number that bring the same input back.

#include <QString>
#include <QStringList>

#include <random>

class FuzzInputs {
public:
    explicit FuzzInputs(quint64 seed) : m_rng(seed) {}

    quint64 bits() { return m_rng(); }
    int below(int n) { return int(m_rng() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }
    double unit() { return double(m_rng() >> 11) * 0x1p-53; } // [0, 1)

    // Any double: every bit pattern (NaNs, infinities, subnormals, -0), the whole range evenly by exponent,
    // amounts in cents and ten-thousandths with their ties, and the edges of the conversions.
    double number();
    // A text for the number reader: the seed texts mutated, numbers as other programs write them, noise.
    QString numberText();
    // A paragraph: words of every length, blanks, hyphens, slashes, line breaks, accents, surrogates.
    QString paragraph();
    // A line length or indent in millimetres: 0, negative, tiny, ordinary, huge, infinite, not a number.
    float length();

private:
    QChar anyChar();
    void mutate(QString &text);

    std::mt19937_64 m_rng;
};
