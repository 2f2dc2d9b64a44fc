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

// The transform as it was first written: bit-reversed reordering, then one radix-2 stage after another,
// every factor exp(-2 pi i k / span) from the library cosine and sine. The engine's fused and tiled
// stages must give the same spectrum to within rounding.
void PlainRadix2(std::vector<double>& re, std::vector<double>& im)
{
    const size_t n = re.size();
    for (size_t i = 1, j = 0; i < n; ++i)
    {
        size_t bit = n >> 1;
        for (; (j & bit) != 0; bit >>= 1)
        {
            j ^= bit;
        }
        j |= bit;
        if (i < j)
        {
            std::swap(re[i], re[j]);
            std::swap(im[i], im[j]);
        }
    }
    const double pi = 3.14159265358979323846;
    for (size_t span = 2; span <= n; span *= 2)
    {
        const size_t half = span / 2;
        for (size_t k = 0; k < half; ++k)
        {
            const double wr = std::cos(2.0 * pi * static_cast<double>(k) / static_cast<double>(span));
            const double wi = -std::sin(2.0 * pi * static_cast<double>(k) / static_cast<double>(span));
            for (size_t s = 0; s < n; s += span)
            {
                const size_t a = s + k;
                const size_t b = a + half;
                const double tr = re[b] * wr - im[b] * wi;
                const double ti = re[b] * wi + im[b] * wr;
                re[b] = re[a] - tr;
                im[b] = im[a] - ti;
                re[a] += tr;
                im[a] += ti;
            }
        }
    }
}

// The inputs the engine is checked on: an input pair and the window it is transformed with.
struct Fixture
{
    const char* name;
    void (*make)(int n, std::vector<double>& re, std::vector<double>& im, std::vector<double>& window);
};

void Noise(int n, std::vector<double>& re, std::vector<double>& im, std::vector<double>& window)
{
    RandomSignal(n, 11, re, im);
    window.assign(n, 1.0);
}

// exp(2 pi i k0 t / n) x 1000 with k0 near 3n/8, which puts the whole spectrum in one bin.
void Tone(int n, std::vector<double>& re, std::vector<double>& im, std::vector<double>& window)
{
    const long double pi = 3.141592653589793238462643383279502884L;
    const int k0 = (3 * n / 8 + 1) % n;
    re.resize(n);
    im.resize(n);
    for (int t = 0; t < n; ++t)
    {
        const long double a = 2.0L * pi * static_cast<long double>((static_cast<long long>(k0) * t) % n) / n;
        re[t] = static_cast<double>(1000.0L * std::cos(a));
        im[t] = static_cast<double>(1000.0L * std::sin(a));
    }
    window.assign(n, 1.0);
}

// One point, not the first, which spreads evenly over every bin with a phase that turns.
void Impulse(int n, std::vector<double>& re, std::vector<double>& im, std::vector<double>& window)
{
    re.assign(n, 0.0);
    im.assign(n, 0.0);
    re[3 % n] = 700.0;
    im[3 % n] = -300.0;
    window.assign(n, 1.0);
}

// Noise under a raised-cosine window that differs from one point to the next.
void WindowedNoise(int n, std::vector<double>& re, std::vector<double>& im, std::vector<double>& window)
{
    RandomSignal(n, 29, re, im);
    const double pi = 3.14159265358979323846;
    window.resize(n);
    for (int t = 0; t < n; ++t)
    {
        window[t] = 0.54 - 0.46 * std::cos(2.0 * pi * t / n);
    }
}

// max |X - reference| over max |reference|.
double ErrorAgainst(const std::vector<double>& re, const std::vector<double>& im,
                    const std::vector<double>& refRe, const std::vector<double>& refIm)
{
    double maxError = 0.0;
    double peak = 0.0;
    for (size_t k = 0; k < refRe.size(); ++k)
    {
        maxError = std::max(maxError, std::hypot(re[k] - refRe[k], im[k] - refIm[k]));
        peak = std::max(peak, std::hypot(refRe[k], refIm[k]));
    }
    return maxError / peak;
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

TEST(Radix2Fft, MatchesThePlainRadix2TransformAtEverySize)
{
    const Fixture fixtures[] = {
        {"noise", Noise},
        {"tone", Tone},
        {"impulse", Impulse},
        {"windowed noise", WindowedNoise},
    };
    // Every size from 2 to 65536: the untiled small sizes, the tiled ones with an even and an odd number
    // of stages, and with one or two of the later stages fused; 4096 and 32768 are the program's own.
    for (int n = 2; n <= 65536; n *= 2)
    {
        const auto fft = CRadix2Fft::Shared(n);
        ASSERT_NE(fft, nullptr);
        for (const Fixture& fixture : fixtures)
        {
            SCOPED_TRACE(testing::Message() << "n = " << n << ", " << fixture.name);
            std::vector<double> inRe;
            std::vector<double> inIm;
            std::vector<double> window;
            fixture.make(n, inRe, inIm, window);
            std::vector<double> refRe(n);
            std::vector<double> refIm(n);
            for (int t = 0; t < n; ++t)
            {
                refRe[t] = inRe[t] * window[t];
                refIm[t] = inIm[t] * window[t];
            }
            std::vector<double> re = refRe;
            std::vector<double> im = refIm;
            PlainRadix2(refRe, refIm);

            fft->Forward(re.data(), im.data());
            EXPECT_LE(ErrorAgainst(re, im, refRe, refIm), 1e-13) << "in place";

            std::vector<double> outRe(n, std::nan(""));
            std::vector<double> outIm(n, std::nan(""));
            fft->ForwardWindowed(inRe.data(), inIm.data(), window.data(), outRe.data(), outIm.data());
            EXPECT_LE(ErrorAgainst(outRe, outIm, refRe, refIm), 1e-13) << "windowed";
        }
    }
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
