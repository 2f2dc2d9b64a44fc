// Hands arbitrary bytes to the oscillogram pane's payload readers (pane data files and archive
// images come from disk and can be anything), on two- and four-trace panes and through both
// readers, and checks what they promise: a refused payload leaves the painter exactly as it was, an
// accepted one writes and reads back to the same windows and traces, and whatever was accepted paints.

#include <QBuffer>
#include <QByteArray>
#include <QDataStream>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "oscillogramgraphic.h"

namespace
{
void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// kind 0: Load; kind 2: LoadData.
bool Read(CQOscillogramGraphic& g, const QByteArray& bytes, int kind)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QDataStream in(&buffer);
    if (kind == 0)
        g.Load(in);
    else
        g.LoadData(in);
    return in.status() == QDataStream::Ok;
}

// Everything a read may change, as doubles (bit-equal comparisons: non-finite values never get in).
std::vector<double> Snapshot(CQOscillogramGraphic& g)
{
    std::vector<double> s = {g.GetXMin(),
                             g.GetXMax(),
                             g.GetXFrom(),
                             g.GetXTo(),
                             g.GetYFrom(),
                             g.GetYTo(),
                             static_cast<double>(g.GetDataOperation())};
    for (int i = 0; i < g.GetTraceCount(); ++i)
    {
        const std::vector<double>& data = *g.GetData(i);
        s.push_back(static_cast<double>(data.size()));
        s.insert(s.end(), data.begin(), data.end());
        s.push_back(g.IsTraceVisible(i) ? 1.0 : 0.0);
    }
    return s;
}

void SetUp(CQOscillogramGraphic& g, int traces)
{
    g.SetTraceCount(traces);
    g.SetXRange(0.0, 1e-3);
    g.SetYLimits(-5.0, 5.0);
}

void Exercise(const QByteArray& bytes, int traces, int kind)
{
    CQOscillogramGraphic g;
    SetUp(g, traces);
    g.SetData(0, {0.5, -0.5});
    if (traces == 4)
        g.SetData(2, {0.25});
    const std::vector<double> before = Snapshot(g);
    if (!Read(g, bytes, kind))
    {
        Check(Snapshot(g) == before);
        return;
    }

    // Under hold the inputs are empty, so a kind-0 save writes the shown traces, and kind 1 carries
    // the same traces as kind 2.
    QByteArray saved;
    {
        QDataStream out(&saved, QIODevice::WriteOnly);
        if (kind == 0)
            g.Save(out);
        else
            g.SaveShownData(out);
    }
    CQOscillogramGraphic again;
    SetUp(again, traces);
    Check(Read(again, saved, kind));
    Check(Snapshot(again) == Snapshot(g));

    g.SetRect(QRect(0, 0, 160, 90));
    QImage image(160, 90, QImage::Format_RGB32);
    QPainter painter(&image);
    g.Paint(&painter, 0);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_oscillogrampayload";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);

    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    Exercise(bytes, 2, 0);
    Exercise(bytes, 4, 0);
    Exercise(bytes, 4, 2);
    Exercise(bytes, 2, 2);
    return 0;
}
