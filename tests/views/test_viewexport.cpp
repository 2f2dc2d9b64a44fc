// The text export of the pane under the mouse and the picture export of the whole view.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLocale>

#include <string>
#include <vector>

#include "globals.h"
#include "parameters.h"
#include "scriptedprompt.h"
#include "tempdir.h"
#include "testview.h"
#include "vectorgraphic.h"

namespace
{
// The test view with a vector pane and a four-trace oscillogram, as the band view has them.
class CExportView : public CTestView
{
public:
    CExportView()
    {
        AddGraphic(QStringLiteral("Vec"), m_vec);
        AddGraphic(QStringLiteral("IQ"), m_iq);
        m_iq->SetTraceCount(4);
    }
    ~CExportView() override
    {
        delete m_iq;
        delete m_vec;
    }
    CExportView(const CExportView&) = delete;
    CExportView& operator=(const CExportView&) = delete;

    // As the band views number their spectra: the pane's own X of each point (i x 0.5 here).
    double ExportFrequency(int index) override { return IndexToX(index); }

    void Press(const char* pane)
    {
        ShowPane(QLatin1String(pane));
        m_PressPoint = rect().center();
    }

    CQVectorGraphic* m_vec = new CQVectorGraphic;
    CQOscillogramGraphic* m_iq = new CQOscillogramGraphic;
};

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kGroup = QStringLiteral("FilePaths");

// Exports the pane at the press point into path and returns the file's text.
QByteArray ExportPane(CExportView& view, const char* pane, const QString& path)
{
    view.Press(pane);
    CScriptedPrompt prompt;
    prompt.AnswerSaveFile(path, QStringLiteral("Save Signal Data As Text File"));
    view.OnExportText();
    EXPECT_EQ(prompt.Asked().at(0).text, QStringLiteral("Text Files (*.txt)"));
    return ReadAll(path);
}
}  // namespace

// One line per spectrum point: its X and its level; the folder of the file is remembered.
TEST(TextExport, SpectrumLines)
{
    CTempDir dir;
    CExportView view;
    view.m_spec->SetData(1, {-10.5, -20.25, -30.0});
    g_Parameters.SetString(kGroup, "SaveAsText", Q(dir.Path()) + "/old");

    const QString path = Q(dir.File("spectrum.txt"));
    view.Press("Spec");
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(path);
        view.OnExportText();
        ASSERT_EQ(prompt.Asked().size(), 1u);
        EXPECT_EQ(prompt.Asked()[0].initial, Q(dir.Path()) + "/old");
    }
    EXPECT_EQ(ReadAll(path), QByteArray("Freq, MHz\tLevel, dBm\r\n"
                                        "0.000000\t-10.500000\r\n"
                                        "0.500000\t-20.250000\r\n"
                                        "1.000000\t-30.000000\r\n"));
    EXPECT_EQ(g_Parameters.GetString(kGroup, "SaveAsText", ""), Q(dir.Path()));
}

// Vector: the I and Q inputs; oscillogram: sample index, I and Q, as far as every column reaches. A
// two-trace oscillogram has no Q column.
TEST(TextExport, OscillogramAndVectorColumns)
{
    CTempDir dir;
    CExportView view;
    view.m_vec->SetIQData({0.1, 0.2}, {-0.1, -0.2});
    view.m_iq->SetData(0, {0.5, -0.5});
    view.m_iq->SetData(2, {0.25, -0.25, 0.75});
    view.m_osc->SetData(0, {0.125, 1.5, -2.0});

    struct Case
    {
        const char* pane;
        const char* text;
    };
    const Case cases[] = {
        {"Vec", "Level I, mV\tLevel Q, mV\r\n0.100000\t-0.100000\r\n0.200000\t-0.200000\r\n"},
        {"IQ",
         "Sample\tLevel I, mV\tLevel Q, mV\r\n0.000000\t0.500000\t0.250000\r\n"
         "1.000000\t-0.500000\t-0.250000\r\n"},
        {"Osc",
         "Sample\tLevel I, mV\tLevel Q, mV\r\n0.000000\t0.125000\r\n1.000000\t1.500000\r\n"
         "2.000000\t-2.000000\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExportPane(view, c.pane, Q(dir.File(std::string(c.pane) + ".txt"))), QByteArray(c.text))
            << c.pane;
}

// Holding empties the live inputs on every block; the export then writes the held traces shown.
TEST(TextExport, HoldExportsWhatIsShown)
{
    CTempDir dir;
    CExportView view;
    // What the view's hold action leaves: the held traces filled, then live blocks arriving.
    view.m_spec->SetData(2, {-10.0, -30.0});
    view.m_spec->SetDataOperation(1);
    view.m_spec->SetData(1, {-90.0, -90.0});
    view.m_vec->SetData(1, {0.5, 0.25});
    view.m_vec->SetData(3, {-0.5, -0.25});
    view.m_vec->SetDataOperation(1);
    view.m_vec->SetIQData({0.0, 0.0}, {0.0, 0.0});
    ASSERT_TRUE(view.m_spec->GetData(1)->empty());
    ASSERT_TRUE(view.m_vec->GetData(0)->empty());

    auto line = [](double a, double b)
    { return QString::number(a, 'f', 6) + "\t" + QString::number(b, 'f', 6) + "\r\n"; };
    const std::vector<double>& held = *view.m_spec->GetData(2);
    ASSERT_EQ(held.size(), 2u);
    EXPECT_EQ(QString::fromUtf8(ExportPane(view, "Spec", Q(dir.File("spec.txt")))),
              "Freq, MHz\tLevel, dBm\r\n" + line(0.0, held[0]) + line(0.5, held[1]));
    const std::vector<double>& i = *view.m_vec->GetData(1);
    const std::vector<double>& q = *view.m_vec->GetData(3);
    ASSERT_EQ(i.size(), 2u);
    ASSERT_EQ(q.size(), 2u);
    EXPECT_EQ(QString::fromUtf8(ExportPane(view, "Vec", Q(dir.File("vec.txt")))),
              "Level I, mV\tLevel Q, mV\r\n" + line(i[0], q[0]) + line(i[1], q[1]));
}

TEST(TextExport, NumbersIgnoreTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray text = CViewBase::FormatExportText("h\r\n", {1234567.5}, {-0.0000004}, {});
    QLocale::setDefault(saved);
    EXPECT_EQ(text, QByteArray("h\r\n1234567.500000\t-0.000000\r\n"));
}

TEST(TextExport, FailuresCancelAndPanesWithoutText)
{
    CTempDir dir;
    CExportView view;
    view.m_spec->SetData(1, {-10.0});
    const QString kept = Q(dir.Path()) + "/kept";
    g_Parameters.SetString(kGroup, "SaveAsText", kept);

    view.Press("Spec");
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(Q(dir.File("no/such/folder/x.txt")));
        prompt.Answer(QMessageBox::Ok, QStringLiteral("Error exporting signal data!"));
        view.OnExportText();
    }
    EXPECT_EQ(g_Parameters.GetString(kGroup, "SaveAsText", ""), kept);
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(QString());
        view.OnExportText();
    }
    EXPECT_EQ(g_Parameters.GetString(kGroup, "SaveAsText", ""), kept);
    EXPECT_TRUE(QDir(Q(dir.Path())).entryList(QDir::Files).isEmpty());

    // A waterfall has no text form: no dialog, no message.
    view.Press("Waterfall");
    CScriptedPrompt prompt;
    view.OnExportText();
    EXPECT_TRUE(prompt.Asked().empty());
}

// The picture is the whole view as a JPEG that reads back at the view's size; the folder is
// remembered even when the save fails.
TEST(ImageExport, WritesAJpegOfTheView)
{
    CTempDir dir;
    CExportView view;
    view.m_spec->SetData(1, {-60.0, -50.0, -70.0});
    view.Press("Spec");
    const QString path = Q(dir.File("view.jpg"));
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(path, QStringLiteral("Save Signal Data As Graphics File"));
        view.OnExportImage();
        EXPECT_EQ(prompt.Asked().at(0).text, QStringLiteral("Graphics Files (*.jpg *.jpeg)"));
    }
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(image.size(), view.size());
    EXPECT_EQ(g_Parameters.GetString(kGroup, "SaveAsImage", ""), Q(dir.Path()));

    const QString missing = Q(dir.File("no/such"));
    {
        CScriptedPrompt prompt;
        prompt.AnswerSaveFile(missing + "/view.jpg");
        prompt.Answer(QMessageBox::Ok, QStringLiteral("Could not save an image!"));
        view.OnExportImage();
    }
    EXPECT_EQ(g_Parameters.GetString(kGroup, "SaveAsImage", ""), missing);
}
