// Hands arbitrary bytes to the reader of pane data files and archive images. The first byte picks the
// pane, tag and payload kind a view would read with; the rest is the file. A refused file must leave
// the pane exactly as it was; an accepted one must have carried the pane's tag and must paint.

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <vector>

#include "igraphic.h"
#include "isimplegraphic.h"
#include "oscillogramgraphic.h"
#include "spectrumgraphic.h"
#include "vectorgraphic.h"
#include "viewbase.h"
#include "waterfallgraphic.h"

namespace
{
void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Everything a load may change, as doubles (bit-equal comparisons: NaN never gets in).
std::vector<double> Snapshot(IGraphic* pane)
{
    std::vector<double> s = {pane->GetXMin(),
                             pane->GetXMax(),
                             pane->GetXFrom(),
                             pane->GetXTo(),
                             pane->GetYFrom(),
                             pane->GetYTo(),
                             static_cast<double>(pane->GetDataOperation())};
    if (auto* simple = dynamic_cast<ISimpleGraphic*>(pane))
    {
        for (int i = 0; i < pane->GetTraceCount(); ++i)
        {
            const std::vector<double>& data = *simple->GetData(i);
            s.push_back(static_cast<double>(data.size()));
            s.insert(s.end(), data.begin(), data.end());
        }
    }
    return s;
}

std::unique_ptr<IGraphic> MakePane(int which)
{
    switch (which)
    {
        case 0:
        {
            auto spec = std::make_unique<CQSpectrumGraphic>();
            spec->SetXLimits(10.0, 20.0, 20.0);
            spec->SetFixedYRange(-100.0, 0.0);
            spec->SetData(1, {-1.0, -2.0});
            spec->SetData(2, {-3.0});
            return spec;
        }
        case 1:
        case 2:
        {
            auto osc = std::make_unique<CQOscillogramGraphic>();
            osc->SetData(0, {0.5, -0.5});
            return osc;
        }
        case 3:
        case 4:
        {
            auto vector = std::make_unique<CQVectorGraphic>();
            vector->SetIQData({0.1, 0.2}, {-0.1, -0.2});
            return vector;
        }
        default:
            return std::make_unique<CQWaterfallGraphic>();
    }
}

struct Reading
{
    const char* tag;
    int kind;
};
// Pane 0 spectrum, 1 and 2 oscillogram, 3 and 4 vector, 5 waterfall.
const Reading kReadings[] = {{"rsd", 0}, {"rod", 0}, {"rod", 1}, {"dvd", 2}, {"dod", 0}, {"rwd", 0}};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_viewfile";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);

    if (size < 1)
        return 0;
    const int which = data[0] % 6;
    const Reading& reading = kReadings[which];
    const QString tag = QLatin1String(reading.tag);
    QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<int>(size - 1));

    std::unique_ptr<IGraphic> pane = MakePane(which);
    const std::vector<double> before = Snapshot(pane.get());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    try
    {
        CViewBase::ReadPaneFile(&buffer, tag, pane.get(), reading.kind);
    }
    catch (const std::exception&)
    {
        Check(Snapshot(pane.get()) == before);
        return 0;
    }

    // Accepted: the file began with the pane's tag.
    QByteArray frame;
    {
        QBuffer out(&frame);
        out.open(QIODevice::WriteOnly);
        QDataStream stream(&out);
        stream.setVersion(QDataStream::Qt_5_12);
        stream << tag;
    }
    Check(bytes.startsWith(frame));

    pane->SetRect(QRect(0, 0, 160, 90));
    QImage image(160, 90, QImage::Format_RGB32);
    QPainter painter(&image);
    pane->Paint(&painter, 0);
    return 0;
}
