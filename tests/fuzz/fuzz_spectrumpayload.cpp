// Hands arbitrary bytes to the spectrum pane's payload reader (pane data files and archive images
// come from disk and can be anything) and checks what it promises: a refused payload leaves the
// painter exactly as it was, an accepted one saves and reads back to the same windows and levels,
// and whatever was accepted paints.

#include <QBuffer>
#include <QByteArray>
#include <QDataStream>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "spectrumgraphic.h"

namespace
{
void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool Load(CQSpectrumGraphic& g, const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QDataStream in(&buffer);
    g.Load(in);
    return in.status() == QDataStream::Ok;
}

// Everything a load may change, as doubles (bit-equal comparisons: NaN never gets in).
std::vector<double> Snapshot(CQSpectrumGraphic& g)
{
    std::vector<double> s = {g.GetXMin(),
                             g.GetXMax(),
                             g.GetXFrom(),
                             g.GetXTo(),
                             g.GetYFrom(),
                             g.GetYTo(),
                             g.m_indexAxis ? 1.0 : 0.0,
                             static_cast<double>(g.GetDataOperation())};
    for (int i = 0; i < g.GetTraceCount(); ++i)
    {
        const std::vector<double>& data = *g.GetData(i);
        s.push_back(static_cast<double>(data.size()));
        s.insert(s.end(), data.begin(), data.end());
        s.push_back(g.GetTrace(i).visible ? 1.0 : 0.0);
    }
    return s;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_spectrumpayload";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);

    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    CQSpectrumGraphic g;
    g.SetXLimits(10.0, 20.0, 20.0);
    g.SetFixedYRange(-100.0, 0.0);
    g.SetData(1, {-1.0, -2.0});
    g.SetData(2, {-3.0});
    const std::vector<double> before = Snapshot(g);
    if (!Load(g, bytes))
    {
        Check(Snapshot(g) == before);
        return 0;
    }

    QByteArray saved;
    {
        QDataStream out(&saved, QIODevice::WriteOnly);
        g.Save(out);
    }
    CQSpectrumGraphic again;
    Check(Load(again, saved));
    Check(Snapshot(again) == Snapshot(g));

    g.SetRect(QRect(0, 0, 160, 90));
    QImage image(160, 90, QImage::Format_RGB32);
    QPainter painter(&image);
    g.Paint(&painter, 0);
    return 0;
}
