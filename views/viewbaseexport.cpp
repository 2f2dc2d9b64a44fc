// Text and picture exports of the view base.

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QSaveFile>

#include <algorithm>

#include "devicethread.h"
#include "globals.h"
#include "igraphic.h"
#include "isimplegraphic.h"
#include "oscillogramgraphic.h"
#include "parameters.h"
#include "prompt.h"
#include "spectrumgraphic.h"
#include "vectorgraphic.h"
#include "viewbase.h"

namespace
{
const QString kPathsGroup = QStringLiteral("FilePaths");

// A copy of what the pane shows of an input trace. Holding empties the input on every block and shows
// its held trace instead; a trace the pane does not have gives an empty column.
std::vector<double> ShownTrace(ISimpleGraphic* pane, int input, int held)
{
    const int count = pane->GetTraceCount();
    if (input >= count)
        return {};
    const std::vector<double>* data = pane->GetData(input);
    if (data != nullptr && data->empty() && pane->GetDataOperation() == 1 && held < count)
        data = pane->GetData(held);
    return data != nullptr ? *data : std::vector<double>();
}

// The folder part of a chosen file: up to its last "/", the whole name without one.
QString FolderOf(const QString& file)
{
    return file.mid(0, file.lastIndexOf(QLatin1Char('/')));
}
}  // namespace

double CViewBase::ExportFrequency(int index)
{
    return index * g_DeviceThread.GetScanStep();
}

void CViewBase::OnExportText()
{
    IGraphic* pane = GetGraphicAtPoint(m_PressPoint);
    if (pane == nullptr)
        return;
    if (auto* spec = dynamic_cast<CQSpectrumGraphic*>(pane))
    {
        const std::vector<double> levels = ShownTrace(spec, 1, 2);
        std::vector<double> freqs(levels.size());
        for (size_t i = 0; i < freqs.size(); ++i)
            freqs[i] = ExportFrequency(static_cast<int>(i));
        ExportText(tr("Freq, MHz\tLevel, dBm\r\n"), freqs, levels, {});
    }
    else if (auto* vector = dynamic_cast<CQVectorGraphic*>(pane))
    {
        // Traces 0 and 2 are the I and Q inputs; 1 and 3 what is held of them.
        ExportText(tr("Level I, mV\tLevel Q, mV\r\n"), ShownTrace(vector, 0, 1), ShownTrace(vector, 2, 3),
                   {});
    }
    else if (auto* osc = dynamic_cast<CQOscillogramGraphic*>(pane))
    {
        // A two-trace oscillogram has no Q: its file has the sample and I columns only.
        const std::vector<double> i = ShownTrace(osc, 0, 1);
        const std::vector<double> q = ShownTrace(osc, 2, 3);
        std::vector<double> indices(i.size());
        for (size_t k = 0; k < indices.size(); ++k)
            indices[k] = static_cast<double>(k);
        ExportText(tr("Sample\tLevel I, mV\tLevel Q, mV\r\n"), indices, i, q);
    }
}

QByteArray CViewBase::FormatExportText(const QString& header, const std::vector<double>& column1,
                                       const std::vector<double>& column2, const std::vector<double>& column3)
{
    // Never past the end of a shorter column (an I trace held while Q is live, say).
    size_t rows = std::min(column1.size(), column2.size());
    if (!column3.empty())
        rows = std::min(rows, column3.size());
    QString text = header;
    const QString tab = QStringLiteral("\t");
    for (size_t k = 0; k < rows; ++k)
    {
        // QString::number ignores the locale: always "." and no group separators.
        text += QString::number(column1[k], 'f', 6) + tab + QString::number(column2[k], 'f', 6);
        if (!column3.empty())
            text += tab + QString::number(column3[k], 'f', 6);
        text += QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

void CViewBase::ExportText(QString header, const std::vector<double>& column1,
                           const std::vector<double>& column2, const std::vector<double>& column3)
{
    const QString key = QStringLiteral("SaveAsText");
    const QString folder = g_Parameters.GetString(kPathsGroup, key, QString());
    const QString file =
        Prompt().GetSaveFileName(this, tr("Save Signal Data As Text File"), folder, tr("Text Files (*.txt)"));
    if (file.isEmpty())
        return;
    // Written aside and renamed at the end, so a full disk cannot leave half a table behind.
    QSaveFile out(file);
    const QByteArray text = FormatExportText(header, column1, column2, column3);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit())
    {
        Prompt().Warning(this, QApplication::applicationName(), tr("Error exporting signal data!"),
                         QMessageBox::Ok);
        return;
    }
    g_Parameters.SetString(kPathsGroup, key, FolderOf(file));
}

void CViewBase::OnExportImage()
{
    ExportImage();
}

void CViewBase::ExportImage()
{
    const QString key = QStringLiteral("SaveAsImage");
    const QString folder = g_Parameters.GetString(kPathsGroup, key, QString());
    const QString file = Prompt().GetSaveFileName(this, tr("Save Signal Data As Graphics File"), folder,
                                                  tr("Graphics Files (*.jpg *.jpeg)"));
    if (file.isEmpty())
        return;
    const QImage image = grab().toImage();
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || !image.save(&out, "jpeg", 100) || !out.commit())
    {
        Prompt().Warning(this, QApplication::applicationName(), tr("Could not save an image!"),
                         QMessageBox::Ok);
    }
    // The folder is remembered even after a failed save.
    g_Parameters.SetString(kPathsGroup, key, FolderOf(file));
}
