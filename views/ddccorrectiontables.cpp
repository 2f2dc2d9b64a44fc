#include "ddccorrectiontables.h"

#include <QFile>

#include <algorithm>
#include <cmath>

#include "icontrolbits.h"

void CDdcCorrectionTables::Load(const QString& folder)
{
    const char* const names[kTables] = {"12", "16", "32", "32f", "64"};
    for (int t = 0; t < kTables; ++t)
    {
        QFile file(folder + QStringLiteral("/ddc_fft_corr_") + QLatin1String(names[t]) +
                   QStringLiteral(".dat"));
        m_tables[t].clear();
        if (file.open(QIODevice::ReadOnly))
            m_tables[t] = Read(&file);
    }
}

std::vector<double> CDdcCorrectionTables::Read(QIODevice* device, size_t maxValues)
{
    std::vector<double> values;
    // A line of up to this many bytes (its line feed included) is read whole; the rest of a longer
    // one is skipped, so that no line grows memory, and the line counts 0.0.
    constexpr qint64 kMaxLine = 1024;
    while (values.size() < maxValues && !device->atEnd())
    {
        // readLine stops one byte short of its limit.
        QByteArray line = device->readLine(kMaxLine + 1);
        if (line.isEmpty() && !device->atEnd())
            break;
        const bool whole = line.endsWith('\n') || device->atEnd();
        if (!whole)
        {
            // Over-long: the value is no number; skip to the end of the line.
            char c = 0;
            while (device->getChar(&c) && c != '\n')
            {
            }
            line.clear();
        }
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        bool ok = false;
        // QString::toDouble reads the C locale and ignores the white space around the number.
        // With its length: a NUL inside the line must not end the text early ("5\0abc" is no number).
        const double value = QString::fromUtf8(line.constData(), line.size()).toDouble(&ok);
        values.push_back(ok && std::isfinite(value) ? value : 0.0);
    }
    return values;
}

int CDdcCorrectionTables::TableFor(const DDC_BAND_ITEM& band)
{
    switch (band.DeciCoeff)
    {
        case 12:
            return 0;
        case 16:
            return 1;
        case 32:
            return band.BypassFir != 0 ? 2 : 3;
        case 64:
            return 4;
        default:
            return -1;
    }
}

void CDdcCorrectionTables::Apply(const std::vector<double>& table, std::vector<double>* spectrum)
{
    const size_t n = std::min(table.size(), spectrum->size());
    for (size_t i = 0; i < n; ++i)
        (*spectrum)[i] += table[i];
}
