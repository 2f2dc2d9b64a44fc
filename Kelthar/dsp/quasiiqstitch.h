#pragma once

#include <vector>

// The quasi-I/Q stitching of a long-scan spectrum. The capture was cut into `blocks` blocks of
// `blockLength` points, each transformed on its own and already converted to dB in re; the first half
// of the blocks carry the spectrum. The stitching (1) optionally takes off the image that each half of a
// block leaves in the other half, (2) mirrors the first half of each block, (3) adds a falling ramp
// after every half-block boundary to hide the seams, and (4) gathers the useful run of every block side
// by side at the front of the rows. Needs at least two blocks.
class CQuasiIqStitch
{
public:
    struct Params
    {
        int blocks = 0;
        int blockLength = 0;
        // Run the image removal of step 1.
        bool difference = false;
        // Points by which each half block is moved before it is compared with the other half.
        int shiftPoints = 0;
        // Points each block contributes to the gathered spectrum (fractions carry over to the next block)
        // and the first of them inside the block; a step of 0 or below gathers nothing.
        double gatherStep = 0.0;
        int gatherOffset = 0;
    };

    // Runs the four steps on re and im (and the scratch row spare, at least one block long). Returns the
    // number of points gathered at the front of the rows (0 with fewer than two blocks).
    static int Run(std::vector<double>& re, std::vector<double>& im, std::vector<double>& spare,
                   const Params& params);

    static void Difference(std::vector<double>& re, std::vector<double>& spare, int blocks, int blockLength,
                           int shiftPoints);
    static void Mirror(std::vector<double>& re, std::vector<double>& im, int blocks, int blockLength);
    static void Ramp(std::vector<double>& re, int blocks, int blockLength);
    static int Gather(std::vector<double>& re, std::vector<double>& im, int blocks, int blockLength,
                      double step, int offset);
};
