#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdlib>
#include <vector>

#include "plainfft.h"

namespace
{
constexpr double kPi = 3.14159265358979323846;

// Pairs of doubles from complex values and back.
std::vector<double> Interleave(const std::vector<std::complex<double>>& values)
{
    std::vector<double> out;
    for (const auto& v : values)
    {
        out.push_back(v.real());
        out.push_back(v.imag());
    }
    return out;
}

std::vector<std::complex<double>> Dft(const std::vector<std::complex<double>>& x, double sign)
{
    const size_t n = x.size();
    std::vector<std::complex<double>> out(n);
    for (size_t k = 0; k < n; ++k)
    {
        for (size_t j = 0; j < n; ++j)
            out[k] += x[j] * std::polar(1.0, sign * 2 * kPi * static_cast<double>(j * k) / n);
    }
    return out;
}

std::vector<std::complex<double>> RandomValues(size_t n, unsigned seed)
{
    std::srand(seed);
    std::vector<std::complex<double>> x(n);
    for (auto& v : x)
        v = {std::rand() / double(RAND_MAX) - 0.5, std::rand() / double(RAND_MAX) - 0.5};
    return x;
}

void ExpectNear(const std::vector<double>& actual, const std::vector<std::complex<double>>& expected)
{
    ASSERT_EQ(actual.size(), 2 * expected.size());
    for (size_t k = 0; k < expected.size(); ++k)
    {
        EXPECT_NEAR(actual[2 * k], expected[k].real(), 1e-9) << "bin " << k;
        EXPECT_NEAR(actual[2 * k + 1], expected[k].imag(), 1e-9) << "bin " << k;
    }
}
}  // namespace

// The generator's five carriers: the two-array inverse of 2000 at bins 0 to 4 of 64 gives
// 31.25 x the sum of e^(2 pi i jk/64) for j from 0 to 4, kept in the object's result arrays.
TEST(PlainFft, TwoArrayInverseOfTheFiveCarriersGivesTheMultiCarrierSymbols)
{
    CPlainFft fft(64, 0, 400, 0);
    EXPECT_FALSE(fft.HasResult());
    std::vector<double> real(64, 0.0), imaginary(64, 0.0);
    for (int k = 0; k < 5; ++k)
        real[k] = 2000.0;
    fft.InverseTwoArrays(real.data(), imaginary.data());

    ASSERT_TRUE(fft.HasResult());
    EXPECT_NEAR(fft.RealResult()[0], 156.25, 1e-9);
    EXPECT_NEAR(fft.ImaginaryResult()[0], 0.0, 1e-9);
    EXPECT_NEAR(fft.RealResult()[1], 151.775, 1e-3);
    EXPECT_NEAR(fft.ImaginaryResult()[1], 30.190, 1e-3);
    EXPECT_NEAR(fft.RealResult()[4], 94.177, 1e-3);
    EXPECT_NEAR(fft.ImaginaryResult()[4], 94.177, 1e-3);
    for (int k = 0; k < 64; ++k)
    {
        std::complex<double> sum;
        for (int j = 0; j < 5; ++j)
            sum += 31.25 * std::polar(1.0, 2 * kPi * j * k / 64.0);
        EXPECT_NEAR(fft.RealResult()[k], sum.real(), 1e-9) << k;
        EXPECT_NEAR(fft.ImaginaryResult()[k], sum.imag(), 1e-9) << k;
    }
}

TEST(PlainFft, ForwardIsTheUnscaledDftAndInverseUndoesIt)
{
    for (int n : {2, 8, 64, 1024})
    {
        SCOPED_TRACE(n);
        const auto x = RandomValues(n, 7u + n);
        CPlainFft fft(n, 0, 400, 1);
        std::vector<double> values = Interleave(x);
        const std::vector<double> spectrum = fft.Forward(values);
        ExpectNear(spectrum, Dft(x, -1));
        ExpectNear(fft.Inverse(spectrum), x);
    }
}

TEST(PlainFft, InPlaceFlagDecidesWhetherTheCallersArrayIsTransformed)
{
    const auto x = RandomValues(16, 3);
    const std::vector<double> original = Interleave(x);

    CPlainFft copying(16, 0, 400, 0);
    std::vector<double> values = original;
    const std::vector<double>& copied = copying.Forward(values);
    EXPECT_EQ(values, original);
    EXPECT_NE(&copied, &values);
    ExpectNear(copied, Dft(x, -1));

    CPlainFft inPlace(16, 0, 400, 1);
    const std::vector<double>& transformed = inPlace.Forward(values);
    EXPECT_EQ(&transformed, &values);
    ExpectNear(values, Dft(x, -1));
}

// Each window weighs values k and N-1-k by w[k] (the table holds the first half) before the transform.
TEST(PlainFft, WindowsWeighBothHalvesBeforeTheTransform)
{
    struct Case
    {
        int type;
        double w0;  // w[0]
    };
    const Case cases[] = {{1, 0.0}, {2, 0.08}, {3, 0.0}, {4, 0.0}, {5, 0.0003628}, {6, 0.00006}, {7, 0.0}};
    const int n = 32;
    const auto x = RandomValues(n, 11);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.type);
        CPlainFft fft(n, c.type, 400, 0);
        EXPECT_EQ(fft.ThirdParameter(), 100);
        ASSERT_EQ(fft.WindowTable().size(), static_cast<size_t>(n / 2));
        EXPECT_NEAR(fft.WindowTable()[0], c.w0, 1e-6);

        std::vector<std::complex<double>> weighted = x;
        for (int k = 0; k < n / 2; ++k)
        {
            weighted[k] *= fft.WindowTable()[k];
            weighted[n - 1 - k] *= fft.WindowTable()[k];
        }
        std::vector<double> values = Interleave(x);
        ExpectNear(fft.Forward(values), Dft(weighted, -1));
    }
    // The Hann table is the textbook one at x = 2 pi k / (N - 1).
    CPlainFft hann(n, 1, 400, 0);
    EXPECT_NEAR(hann.WindowTable()[5], 0.5 - 0.5 * std::cos(2 * kPi * 5 / (n - 1)), 1e-12);

    CPlainFft plain(n, 0, 400, 0);
    EXPECT_TRUE(plain.WindowTable().empty());
    EXPECT_EQ(plain.ThirdParameter(), 400);
}
