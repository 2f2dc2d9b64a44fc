// The main window between sessions and across its own layout changes: window size and splitters,
// the enlarged pane, the title, the language menu, the sibling program, the hidden key sequences and
// the close.

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QRect>
#include <QScreen>

#include "analysiswindow.h"
#include "apptranslator.h"
#include "archivewindow.h"
#include "ddcwavwriterwindow.h"
#include "debugwindow.h"
#include "devicethread.h"
#include "globals.h"
#include "gsmanalysiswindow.h"
#include "internalswindow.h"
#include "knownfreqranges2window.h"
#include "knownfreqrangeswindow.h"
#include "memorywindow.h"
#include "monitoring2window.h"
#include "noconnectionwindow.h"
#include "noisequalitywindow.h"
#include "octavefilterswindow.h"
#include "optionswindow.h"
#include "parameters.h"
#include "prompt.h"
#include "pulsewindow.h"
#include "scanerwindow.h"
#include "signalrecorderwindow.h"
#include "soundrecorderwindow.h"
#include "spectrumdialog.h"
#include "templateswindow.h"
#include "usermanualwindow.h"
#include "vectorwindow.h"
#include "veltrano.h"
#include "videowindow.h"
#include "zantigo.h"

namespace
{
const QString kMainWindow = QStringLiteral("MainWindow");
const QString kGeometry = QStringLiteral("mainWindow2");
constexpr int kMinWidth = 1024;
constexpr int kMinHeight = 768;
// The hidden sequence that shows the debug overlay.
constexpr int kDebugKeys[3] = {Qt::Key_3, Qt::Key_1, Qt::Key_4};

// The usable desktop: what the window may cover when it is not maximised.
QSize DesktopSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(kMinWidth, kMinHeight);
}
}  // namespace

void Veltrano::RestoreGeometry(QWidget* window)
{
    const int left = g_Parameters.GetInt(kGeometry, QStringLiteral("Left"), 0);
    const int top = g_Parameters.GetInt(kGeometry, QStringLiteral("Top"), 0);
    const int right = g_Parameters.GetInt(kGeometry, QStringLiteral("Right"), 0);
    const int bottom = g_Parameters.GetInt(kGeometry, QStringLiteral("Bottom"), 0);
    const int checkSum = g_Parameters.GetInt(kGeometry, QStringLiteral("CheckSum"), 0);

    QRect rect;
    if (left + top + right + bottom != checkSum)
    {
        qDebug() << "Wrong QRect rc!!!";
        rect.setLeft(30);
        rect.setTop(50);
        rect.setRight(2100);
        rect.setBottom(1300);
    }
    else if (left == 0 && top == 0 && right == 0 && bottom == 0)
    {
        // Nothing stored yet (first start): a one-pixel rectangle would undo the restored window
        // state, which window managers do not all maximise again.
        return;
    }
    else
    {
        rect.setLeft(left);
        rect.setTop(top);
        rect.setRight(right);
        rect.setBottom(bottom);
    }
    window->setGeometry(rect);
}

void Veltrano::StoreGeometry(const QWidget* window)
{
    const QRect rect = window->geometry();
    g_Parameters.SetInt(kGeometry, QStringLiteral("Left"), rect.left());
    g_Parameters.SetInt(kGeometry, QStringLiteral("Top"), rect.top());
    g_Parameters.SetInt(kGeometry, QStringLiteral("Right"), rect.right());
    g_Parameters.SetInt(kGeometry, QStringLiteral("Bottom"), rect.bottom());
    g_Parameters.SetInt(kGeometry, QStringLiteral("CheckSum"),
                        rect.left() + rect.top() + rect.right() + rect.bottom());
}

void Veltrano::RestoreWindowState()
{
    const QSize desktop = DesktopSize();
    if (g_Parameters.GetInt(kMainWindow, QStringLiteral("Maximized"), 0) != 0)
    {
        setWindowState(Qt::WindowMaximized);
    }
    else
    {
        const int width = g_Parameters.GetInt(kMainWindow, QStringLiteral("Width"), 0);
        const int height = g_Parameters.GetInt(kMainWindow, QStringLiteral("Height"), 0);
        if (width >= kMinWidth && height >= kMinHeight && width < desktop.width() &&
            height < desktop.height())
            resize(width, height);
        else
            resize(kMinWidth, kMinHeight);

        const int left = g_Parameters.GetInt(kMainWindow, QStringLiteral("Left"), 0);
        const int top = g_Parameters.GetInt(kMainWindow, QStringLiteral("Top"), 0);
        if (left >= 0 && top >= 0 && left + width < desktop.width() && top + height < desktop.height())
            move(left, top);
        else
            move(0, 0);
    }

    ui.m_pHorizSplitter->restoreState(QByteArray::fromHex(
        g_Parameters.GetString(kMainWindow, QStringLiteral("HorizSplitterState"), QString()).toLatin1()));
    ui.m_pVertSplitter->restoreState(QByteArray::fromHex(
        g_Parameters.GetString(kMainWindow, QStringLiteral("VerticalSplitterState"), QString()).toLatin1()));
    ResetPaneSizes();
}

void Veltrano::SaveWindowState()
{
    const bool maximized = windowState() == Qt::WindowMaximized;
    g_Parameters.SetInt(kMainWindow, QStringLiteral("Maximized"), maximized ? 1 : 0);
    if (!maximized)
    {
        g_Parameters.SetInt(kMainWindow, QStringLiteral("Width"), width());
        g_Parameters.SetInt(kMainWindow, QStringLiteral("Height"), height());
    }
    g_Parameters.SetString(kMainWindow, QStringLiteral("HorizSplitterState"),
                           QString::fromLatin1(ui.m_pHorizSplitter->saveState().toHex()));
    g_Parameters.SetString(kMainWindow, QStringLiteral("VerticalSplitterState"),
                           QString::fromLatin1(ui.m_pVertSplitter->saveState().toHex()));
}

void Veltrano::ResetPaneSizes()
{
    const int halfHeight = ui.m_pHorizSplitter->height() / 2;
    ui.m_pHorizSplitter->setSizes({halfHeight, halfHeight});
    const int halfWidth = ui.m_pVertSplitter->width() / 2;
    ui.m_pVertSplitter->setSizes({halfWidth, halfWidth});
    m_nEnlargedPane = 0;
}

void Veltrano::OnPressCornerRange()
{
    if (m_nEnlargedPane != 0)
    {
        ResetPaneSizes();
        return;
    }
    ui.m_pHorizSplitter->setSizes({1, 0});
    m_nEnlargedPane = 1;
}

void Veltrano::OnPressCornerDdc()
{
    if (m_nEnlargedPane != 0)
    {
        ResetPaneSizes();
        return;
    }
    ui.m_pHorizSplitter->setSizes({0, 1});
    ui.m_pVertSplitter->setSizes({1, 0});
    m_nEnlargedPane = 2;
}

void Veltrano::OnPressCornerDemod()
{
    if (m_nEnlargedPane != 0)
    {
        ResetPaneSizes();
        return;
    }
    ui.m_pHorizSplitter->setSizes({0, 1});
    ui.m_pVertSplitter->setSizes({0, 1});
    m_nEnlargedPane = 3;
}

QString Veltrano::WindowTitle(bool demoMode)
{
    QString title =
        QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion();
    if (demoMode)
        title += QStringLiteral(" - ") + tr("DEMO mode");
    return title;
}

void Veltrano::UpdateWindowTitle()
{
    setWindowTitle(WindowTitle(g_DeviceThread.IsDemoMode()));
}

void Veltrano::OnViewLanguageEnglishMenu()
{
    g_Translator.Load(QStringLiteral("en_US"), true);
    Prompt().Information(this, QCoreApplication::applicationName(),
                         tr("New setting will take effect after appication restart!"));
}

void Veltrano::OnViewLanguageRussianMenu()
{
    g_Translator.Load(QStringLiteral("ru_RU"), true);
    Prompt().Information(this, QCoreApplication::applicationName(),
                         tr("New setting will take effect after appication restart!"));
}

void Veltrano::OnQuorrinButton()
{
    // The sibling program lives beside this one under the install prefix (the folder above the
    // executable's); it is started and left to itself, and a failure is not reported.
    QDir prefix(QCoreApplication::applicationDirPath());
    prefix.cdUp();
    const QString program = prefix.filePath(QStringLiteral("Tarvolen/Pellastro/Pellastro"));
    g_SiblingProcess.start(program, QStringList(), QIODevice::ReadWrite);
}

bool Veltrano::MatchServiceKey(const QString& text)
{
    if (text.size() == 1 && m_nServiceKeyPos < m_strServiceKeys.size() &&
        text.at(0) == m_strServiceKeys.at(m_nServiceKeyPos))
        ++m_nServiceKeyPos;
    else
        m_nServiceKeyPos = 0;
    if (m_nServiceKeyPos < m_strServiceKeys.size())
        return false;
    m_nServiceKeyPos = 0;
    return true;
}

void Veltrano::ShowServiceWidgets()
{
    for (const char* name :
         {"m_pLMX_Check_20", "m_pLMX_Check_21", "m_pLMX_Check_", "m_pLMX_Check_18", "m_pLMX_Check_19",
          "m_pLMX_Check_22", "m_pLMX_Check_0", "m_pLMX_Check_16", "m_pLMX_Check_17"})
    {
        if (auto* check = m_pOptionsWindow->findChild<QWidget*>(QLatin1String(name)))
            check->show();
    }
    m_pSpectrumDialog->m_pDebugGroupBox->show();
    m_nServiceMode = 1;
}

bool Veltrano::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress && MatchServiceKey(static_cast<QKeyEvent*>(event)->text()))
    {
        // The engineering window has no menu entry: the sequence typed again in service mode opens it.
        if (m_nServiceMode == 1)
        {
            m_pInternalsWindow->show();
            m_pInternalsWindow->raise();
        }
        else
        {
            ShowServiceWidgets();
        }
    }
    return QMainWindow::event(event);
}

void Veltrano::keyPressEvent(QKeyEvent* event)
{
    QMainWindow::keyPressEvent(event);
    MatchDebugKey(event->key());
}

void Veltrano::MatchDebugKey(int key)
{
    // Three digits typed one after the other; once matched, each further last digit shows the
    // overlay again. Other keys never reset a partial match.
    switch (g_DebugKeyState)
    {
        case 0:
            if (key == kDebugKeys[0])
                g_DebugKeyState = 1;
            break;
        case 1:
            if (key == kDebugKeys[1])
                g_DebugKeyState = 2;
            break;
        case 2:
            if (key == kDebugKeys[2] && m_pDebugWindow)
                m_pDebugWindow->show();
            break;
        default:
            g_DebugKeyState = 0;
            break;
    }
}

void Veltrano::closeEvent(QCloseEvent* event)
{
    // Unsaved analyser memory is offered a save once, before anything is stopped or torn down; a save
    // that did not complete keeps the program open.
    if (!m_pMemoryWindow->AskToSaveChanges())
    {
        event->ignore();
        return;
    }
    m_pNoConnectionWindow->close();
    // The transmitter is never left on after the program is gone, and a running recording gets its
    // closing record (a WAV file its sizes) before the windows are torn down.
    m_pPlutoTxWindow->SetPowerOn(false);
    if (m_pSignalRecorderWindow->IsBusy())
        m_pSignalRecorderWindow->Stop();
    if (m_pSoundRecorderWindow->IsBusy())
        m_pSoundRecorderWindow->Stop();
    m_pDdcWavWriterWindow->StopWriting();
    SaveWindowState();
    // Every tool window keeps its place and visibility for the next start.
    m_pArchiveWindow->SaveState();
    m_pPlutoTxWindow->SaveState();
    m_pMemoryWindow->SaveState();
    m_pOptionsWindow->SaveState();
    m_pAnalysisWindow->SaveState();
    m_pGsmAnalysisWindow->SaveState();
    m_pScanerWindow->SaveState();
    m_pUserManualWindow->SaveState();
    m_pSpectrumDialog->SaveState();
    m_pMonitoring2Window->SaveState();
    m_pTemplatesWindow->SaveState();
    m_pPulseWindow->SaveState();
    m_pKnownFreqRangesWindow->SaveState();
    m_pKnownFreqRanges2Window->SaveState();
    m_pSignalRecorderWindow->SaveState();
    m_pSoundRecorderWindow->SaveState();
    m_pRangeOctaveFiltersWindow->SaveState();
    m_pDemodOctaveFiltersWindow->SaveState();
    m_pVectorWindow->SaveState();
    m_pNoiseQualityWindow->SaveState();
    m_pDdcWavWriterWindow->SaveState();
    m_pInternalsWindow->SaveState();
    m_pVideoWindow->SaveState();
    event->accept();
}

void Veltrano::HideNoConnectionWindow()
{
    m_pNoConnectionWindow->hide();
}
