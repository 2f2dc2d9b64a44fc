#include "fftoptions.h"

#include <QComboBox>

namespace
{
void FillCombo(QComboBox* combo, const QStringList& names)
{
    if (!combo)
        return;
    combo->clear();
    combo->addItems(names);
}
}  // namespace

CFftOptions::CFftOptions() = default;

void CFftOptions::Init()
{
    m_averagingNames << tr("Instant") << tr("x2") << tr("x4") << tr("x8") << tr("x16") << tr("x32")
                     << tr("x64") << tr("Peak") << tr("Peak x8") << tr("Peak x16") << tr("Peak x32");

    // "Bartlet-Hanning" is spelled so on purpose: the translations and stored lists key on it.
    m_windowNames << tr("Off") << tr("Gaussian") << tr("Flat top") << tr("Hamming") << tr("Bartlett")
                  << tr("Bartlet-Hanning") << tr("Hanning") << tr("Parzen") << tr("Bohman") << tr("Blackman")
                  << tr("Blackman-Harris");
}

void CFftOptions::FillAveragingCombo(QComboBox* combo) const
{
    FillCombo(combo, m_averagingNames);
}

void CFftOptions::FillWindowCombo(QComboBox* combo) const
{
    FillCombo(combo, m_windowNames);
}

QString CFftOptions::GetAveragingName(int index) const
{
    return m_averagingNames.value(index);
}
