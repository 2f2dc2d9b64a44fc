#pragma once

#include <QString>

#include <cstddef>
#include <vector>

class QIODevice;
struct DDC_BAND_ITEM;

// The band view's FFT correction: one table of dB values per decimation set-up of a DDC band, value i
// added to bin i of the band spectrum (bin 0 the band's lowest frequency). The tables are plain text
// files of the application data folder, one number per line; the program only reads them.
class CDdcCorrectionTables
{
public:
    // Tables in the order of their files: 12, 16, 32 (FIR bypassed), 32f (FIR in use), 64.
    static constexpr int kTables = 5;
    // The band spectrum has this many bins (the DDC FFT size); lines past it correct nothing and are
    // not read, so a huge file costs no memory.
    static constexpr size_t kMaxValues = 4096;

    // Reads the five files "/ddc_fft_corr_<set-up>.dat" of `folder`; a file that is missing or cannot
    // be opened leaves its table empty, without a message.
    void Load(const QString& folder);

    // One table from an open device: a value per line (line feed ended, a carriage return before it
    // tolerated, the last line may lack it), taken whole with QString::toDouble; a line that is no
    // finite number counts 0.0 and keeps its place. At most `maxValues` values.
    static std::vector<double> Read(QIODevice* device, size_t maxValues = kMaxValues);

    // The table index for a band's decimation: 12, 16, 32 with the FIR bypassed, 32 with it, 64;
    // -1 for any other decimation.
    static int TableFor(const DDC_BAND_ITEM& band);

    const std::vector<double>& Table(int t) const { return m_tables[t]; }

    // Adds `table` to the bins it covers; a shorter table leaves the bins past its end as they are.
    static void Apply(const std::vector<double>& table, std::vector<double>* spectrum);

private:
    std::vector<double> m_tables[kTables];
};
