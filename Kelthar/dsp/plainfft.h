#pragma once

#include <cstddef>
#include <vector>

// A small complex FFT of the core, used by the generator to build its multi-carrier symbols. Complex
// values are pairs of doubles (real, imaginary), N of them to an array. The forward transform is
// unscaled (result k is the sum of x_j e^(-2 pi i jk/N)); the inverse scales by 1/N.
//
// The object keeps the results of its last two-array inverse transform: the generator reads them
// symbol by symbol and they carry over from one transmit buffer to the next.
class CPlainFft
{
public:
    static constexpr int kMaxWindowType = 7;

    // size: a power of two, at least 2 (anything else becomes 2); windowType: 0 none, 1 Hann, 2 Hamming,
    // 3 Blackman, 4 Nuttall, 5 Blackman-Nuttall, 6 Blackman-Harris, 7 flat top (others: none). A window
    // table sets the third parameter to 100. inPlace above 0: Forward transforms the caller's array.
    CPlainFft(int size, int windowType, int thirdParameter, int inPlace);

    int Size() const { return m_size; }
    int WindowType() const { return m_windowType; }
    int ThirdParameter() const { return m_thirdParameter; }
    // w[k] for k below N/2; empty without a window.
    const std::vector<double>& WindowTable() const { return m_window; }

    // Transforms 2N doubles. With the in-place flag the caller's array is transformed and returned;
    // otherwise a copy held by the object is, and the caller's array is left as it was. The window, when
    // there is one, weighs values k and N-1-k by w[k]. A shorter array is returned unchanged.
    const std::vector<double>& Forward(std::vector<double>& values);
    // The inverse of 2N doubles, as a new array (a shorter input gives an empty result).
    std::vector<double> Inverse(const std::vector<double>& values) const;
    // The inverse of (real[k], imaginary[k]), N values each; the parts of the result go to RealResult
    // and ImaginaryResult, where they stay until the next call.
    void InverseTwoArrays(const double* real, const double* imaginary);

    // True once InverseTwoArrays has run; the result arrays hold zeros before.
    bool HasResult() const { return m_hasResult; }
    const std::vector<double>& RealResult() const { return m_realResult; }
    const std::vector<double>& ImaginaryResult() const { return m_imaginaryResult; }

private:
    // Window, bit-reversal and butterflies on 2N doubles at values.
    void Transform(double* values) const;

    int m_size;
    int m_log2Size = 1;
    int m_windowType;
    int m_thirdParameter;
    int m_inPlace;
    std::vector<double> m_cos;
    std::vector<double> m_sin;
    std::vector<double> m_window;
    std::vector<double> m_forwardCopy;
    std::vector<double> m_realResult;
    std::vector<double> m_imaginaryResult;
    bool m_hasResult = false;
};
