#pragma once

#include <vector>

// The spectrum engine's zooms: each keeps a run of the first n points of the transform rows and
// stretches it back over all n points by repeating points (nearest neighbour). With r = n / kept, a
// running sum grows by r at each kept point, taken in order, and the point is written at the next
// output positions while the count of written points is below that sum, never beyond n. Each returns
// whether it changed anything; the cases that keep nothing sensible leave the rows as they were.
// The object holds the two scratch rows, so a zoom allocates nothing once Reserve has seen the size.
class CFftZoom
{
public:
    void Reserve(int n);

    // Keeps points t .. n - t - 1; nothing when t <= 0 or 2t >= n.
    bool TrimEnds(std::vector<double>& re, std::vector<double>& im, int n, int t);
    // Keeps points 0 .. m - 1; nothing when m <= 0 or m >= n.
    bool KeepFirst(std::vector<double>& re, std::vector<double>& im, int n, int m);
    // Keeps points a .. b - 1; nothing when a >= b, when a is 0 and b is n, or when a < 0, b < 0, a >= n
    // or b > n.
    bool KeepRange(std::vector<double>& re, std::vector<double>& im, int n, int a, int b);

private:
    bool Stretch(std::vector<double>& re, std::vector<double>& im, int n, int first, int count);

    std::vector<double> m_re;
    std::vector<double> m_im;
};
