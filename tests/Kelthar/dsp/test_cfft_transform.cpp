#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "fftwindow.h"
#include "radix2fft.h"

namespace
{
// Direct DFT in long double of the bins listed, against an exact table of exp(-2 pi i m / n).
struct DirectDft
{
    explicit DirectDft(int n) : n(n), c(n), s(n)
    {
        const long double pi = 3.141592653589793238462643383279502884L;
        for (int m = 0; m < n; ++m)
        {
            c[m] = std::cos(2.0L * pi * m / n);
            s[m] = -std::sin(2.0L * pi * m / n);
        }
    }

    void Bin(const std::vector<double>& re, const std::vector<double>& im, int k, double* outRe,
             double* outIm) const
    {
        long double sr = 0.0L;
        long double si = 0.0L;
        long long m = 0;
        for (int t = 0; t < n; ++t, m += k)
        {
            const size_t idx = static_cast<size_t>(m % n);
            sr += re[t] * c[idx] - im[t] * s[idx];
            si += re[t] * s[idx] + im[t] * c[idx];
        }
        *outRe = static_cast<double>(sr);
        *outIm = static_cast<double>(si);
    }

    int n;
    std::vector<long double> c;
    std::vector<long double> s;
};

void RandomSignal(int n, unsigned seed, std::vector<double>& re, std::vector<double>& im)
{
    std::mt19937 gen(seed);
    std::normal_distribution<double> noise(0.0, 1000.0);
    re.resize(n);
    im.resize(n);
    for (int t = 0; t < n; ++t)
    {
        re[t] = noise(gen);
        im[t] = noise(gen);
    }
}

// max |X - DFT| / max |DFT| over the bins given.
double RelativeError(int n, const std::vector<int>& bins, unsigned seed)
{
    std::vector<double> re;
    std::vector<double> im;
    RandomSignal(n, seed, re, im);
    const std::vector<double> inRe = re;
    const std::vector<double> inIm = im;
    CRadix2Fft fft(n);
    fft.Forward(re.data(), im.data());

    const DirectDft dft(n);
    double maxError = 0.0;
    double maxMagnitude = 0.0;
    for (int k : bins)
    {
        double xr = 0.0;
        double xi = 0.0;
        dft.Bin(inRe, inIm, k, &xr, &xi);
        maxError = std::max(maxError, std::hypot(re[k] - xr, im[k] - xi));
        maxMagnitude = std::max(maxMagnitude, std::hypot(xr, xi));
    }
    return maxError / maxMagnitude;
}
}  // namespace

TEST(Radix2Fft, MatchesTheDirectDftInEveryBinUpTo4096Points)
{
    for (int n = 2; n <= 4096; n *= 2)
    {
        SCOPED_TRACE(n);
        std::vector<int> bins(n);
        for (int k = 0; k < n; ++k)
        {
            bins[k] = k;
        }
        EXPECT_LE(RelativeError(n, bins, static_cast<unsigned>(n)), 1e-9);
    }
}

TEST(Radix2Fft, MatchesTheDirectDftInASampleOfBinsAt32768Points)
{
    const int n = 32768;
    // Both ends, the middle, and a spread of bins in between that are not round numbers.
    std::vector<int> bins = {0, 1, 2, n / 4, n / 2 - 1, n / 2, n / 2 + 1, n - 2, n - 1};
    for (int k = 37; k < n; k += 997)
    {
        bins.push_back(k);
    }
    EXPECT_LE(RelativeError(n, bins, 7), 1e-9);
}

TEST(Radix2Fft, WindowedTransformEqualsWindowingFirst)
{
    for (int n : {8, 64, 512, 2048, 16384})
    {
        SCOPED_TRACE(n);
        std::vector<double> re;
        std::vector<double> im;
        RandomSignal(n, 3, re, im);
        std::vector<double> window;
        ASSERT_TRUE(CFftWindow::Fill(6, n, window));

        CRadix2Fft fft(n);
        std::vector<double> outRe(n);
        std::vector<double> outIm(n);
        fft.ForwardWindowed(re.data(), im.data(), window.data(), outRe.data(), outIm.data());
        for (int t = 0; t < n; ++t)
        {
            re[t] *= window[t];
            im[t] *= window[t];
        }
        fft.Forward(re.data(), im.data());
        for (int k = 0; k < n; ++k)
        {
            ASSERT_DOUBLE_EQ(outRe[k], re[k]) << k;
            ASSERT_DOUBLE_EQ(outIm[k], im[k]) << k;
        }
    }
}

TEST(Radix2Fft, RefusesSizesThatAreNotPowersOfTwo)
{
    CRadix2Fft fft(1024);
    for (int size : {0, 1, 3, 1000, -4, (1 << 24) * 2})
    {
        EXPECT_FALSE(fft.SetSize(size)) << size;
        EXPECT_EQ(fft.Size(), 1024);
        EXPECT_EQ(CRadix2Fft::Shared(size), nullptr) << size;
    }
}

TEST(Radix2Fft, EnginesOfOneSizeShareTheirTables)
{
    const auto a = CRadix2Fft::Shared(4096);
    const auto b = CRadix2Fft::Shared(4096);
    const auto c = CRadix2Fft::Shared(2048);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a.get(), b.get());
    EXPECT_NE(a.get(), c.get());
    EXPECT_EQ(c->Size(), 2048);
}

TEST(FftWindow, ValuesAtTheEdgesAndTheCentre)
{
    const int n = 1024;
    const double e = std::exp(-0.5 * std::pow(4.0 * (n / 2 - 1) / n, 2.0));
    struct Case
    {
        int type;
        int point;
        double value;
    };
    const Case cases[] = {
        {0, 0, 1.0},
        {0, 777, 1.0},
        // Gaussian, Parzen and Bohman peak on both middle points and are mirrored about them.
        {1, n / 2, 1.0},
        {1, n / 2 - 1, 1.0},
        {1, 0, e},
        {1, n - 1, e},
        {2, 0, -0.042},
        {2, n / 2, 1.0},
        {3, 0, 0.08},
        {3, n / 2, 1.0},
        {4, 0, 0.0},
        {4, n / 4, 0.5},
        {4, n / 2, 1.0},
        {4, 3 * n / 4, 0.5},
        {5, 0, 0.0},
        {5, n / 2, 1.0},
        {6, 0, 0.0},
        {6, n / 4, 0.5},
        {6, n / 2, 1.0},
        {7, n / 2, 1.0},
        {7, n / 2 + n / 4, 0.25},
        {7, n / 2 - 1 - n / 4, 0.25},
        {8, n / 2, 1.0},
        {8, n / 2 - 1, 1.0},
        {9, 0, 0.005},
        {9, n / 2, 0.999},
        {10, 0, 0.00006},
        {10, n / 2, 1.0},
    };
    for (const Case& c : cases)
    {
        std::vector<double> w;
        ASSERT_TRUE(CFftWindow::Fill(c.type, n, w));
        ASSERT_EQ(w.size(), static_cast<size_t>(n));
        EXPECT_NEAR(w[c.point], c.value, 1e-12) << "type " << c.type << " point " << c.point;
    }
}

TEST(FftWindow, CentredWindowsAreMirroredAboutTheMiddlePair)
{
    const int n = 256;
    for (int type : {1, 7, 8})
    {
        std::vector<double> w;
        ASSERT_TRUE(CFftWindow::Fill(type, n, w));
        for (int k = 0; k < n / 2; ++k)
        {
            ASSERT_EQ(w[n / 2 + k], w[n / 2 - 1 - k]) << "type " << type << " k " << k;
        }
        // Falling from the centre outwards.
        EXPECT_GT(w[n / 2 + 10], w[n / 2 + 60]) << type;
    }
}

TEST(FftWindow, CorrectionsAndUnknownTypes)
{
    const double expected[CFftWindow::kTypeCount] = {0.0, 4.4, 10.8, 5.3, 5.9, 5.9, 5.9, 8.3, 7.7, 7.3, 8.8};
    for (int type = 0; type < CFftWindow::kTypeCount; ++type)
    {
        EXPECT_EQ(CFftWindow::Correction(type), expected[type]) << type;
    }
    std::vector<double> w = {7.0, 7.0};
    for (int type : {-1, 11, 99})
    {
        EXPECT_EQ(CFftWindow::Correction(type), 0.0);
        EXPECT_FALSE(CFftWindow::Fill(type, 16, w));
        EXPECT_EQ(w, (std::vector<double>{7.0, 7.0})) << "an unknown type leaves the window as it was";
    }
}
