#include "veltrano.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QLabel>

#include <exception>

#include "ddcview.h"
#include "debugwindow.h"
#include "demodview.h"
#include "devicethread.h"
#include "globals.h"
#include "imultigraphic.h"
#include "isimplegraphic.h"
#include "monitoring2window.h"
#include "noconnectionwindow.h"
#include "optionswindow.h"
#include "parameters.h"
#include "progressdialog.h"
#include "prompt.h"
#include "rangeview.h"
#include "recorderloaderthread.h"
#include "splashwindow.h"
#include "utils.h"

namespace
{
constexpr int kConnectionCheckMs = 2000;
constexpr int kRateMs = 2000;
constexpr int kCountersMs = 100;
constexpr int kDataTickMs = 10;
// A recording of the range waterfall writes this many bytes per second.
constexpr quint64 kRecordingBytesPerSecond = 1600000;
}  // namespace

Veltrano::Veltrano(int channelType, QString startWindow, QWidget* parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags),
      m_pNoConnectionWindow(new CNoConnectionWindow),
      m_pRecorderLoaderThread(new CRecorderLoaderThread),
      m_pProgressDialog(new CProgressDialog(nullptr)),
      m_strServiceKeys(QStringLiteral("574"))
{
    // Seen while the rest is built: the library may take seconds to look for its devices.
    auto* splash = new CSplashWindow(this);
    splash->setWindowTitle(QCoreApplication::applicationName() + QLatin1Char(' ') +
                           QCoreApplication::applicationVersion());
    splash->showNormal();
    splash->repaint();

    setAttribute(Qt::WA_AlwaysShowToolTips);

    g_Parameters.Load();
    // A type the library has no channel for is refused and the current one kept.
    g_DeviceThread.SetChannelType(channelType);
    channelType = g_DeviceThread.GetChannelType();

    ui.setupUi(this);
    CreateDockWindows();

    connect(ui.m_pFileLoadParamAction, &QAction::triggered, this, &Veltrano::OnFileLoadParamMenu);
    connect(ui.m_pFileSaveParamAction, &QAction::triggered, this, &Veltrano::OnFileSaveParamMenu);
    connect(ui.m_pFileDefParamAction, &QAction::triggered, this, &Veltrano::OnFileDefParamMenu);
    connect(ui.m_pFileDemoModeAction, &QAction::triggered, this, &Veltrano::OnFileDemoModeMenu);
    connect(ui.m_pFileExitAction, &QAction::triggered, this, &Veltrano::close);
    connect(ui.m_pViewLanguageEnglishAction, &QAction::triggered, this, &Veltrano::OnViewLanguageEnglishMenu);
    connect(ui.m_pViewLanguageRussianAction, &QAction::triggered, this, &Veltrano::OnViewLanguageRussianMenu);
    connect(ui.m_pToolsPreferencesAction, &QAction::triggered, this, &Veltrano::OnToolsPreferencesMenu);
    connect(ui.m_pHelpManualAction, &QAction::triggered, this, &Veltrano::OnHelpManualMenu);
    connect(ui.m_pHelpAboutAction, &QAction::triggered, this, &Veltrano::OnHelpAboutMenu);

    ConnectPaneButtons();

    RestoreWindowState();
    CreateStatusBar(channelType);

    connect(&m_CountersTimer, &QTimer::timeout, this, &Veltrano::OnCountersTimer);
    connect(&m_ConnectionTimer, &QTimer::timeout, this, &Veltrano::OnConnectionTimer);
    connect(&m_ConnectionTimer2, &QTimer::timeout, this, &Veltrano::OnConnectionTimer2);
    connect(&m_DataTimer, &QTimer::timeout, this, &Veltrano::OnDeviceDataArrived);

    connect(ui.m_pRangeGraphView, &CViewBase::changeDdcFreq, this, &Veltrano::OnChangeDdcFreq);
    connect(ui.m_pDdcGraphView, &CViewBase::changeDdcFreq, this, &Veltrano::OnChangeDdcFreq);
    connect(ui.m_pRangeGraphView, &CViewBase::changedTriggerLevel, this,
            &Veltrano::OnRangeChangedTriggerLevel);
    connect(ui.m_pRangeGraphView, &CViewBase::saveArchive, this, &Veltrano::OnSaveArchive);
    connect(ui.m_pDdcGraphView, &CViewBase::saveArchive, this, &Veltrano::OnSaveArchive);
    connect(ui.m_pDemodGraphView, &CViewBase::saveArchive, this, &Veltrano::OnSaveArchive);
    connect(ui.m_pRangeGraphView, &CViewBase::pause, this, &Veltrano::OnRangeTriggerPause);
    connect(ui.m_pDdcGraphView, &CViewBase::pause, this, &Veltrano::OnDdcTriggerPause);
    connect(ui.m_pDemodGraphView, &CViewBase::pause, this, &Veltrano::OnDemodTriggerPause);
    connect(ui.m_pRangeGraphView, &CViewBase::pressCorner, this, &Veltrano::OnPressCornerRange);
    connect(ui.m_pDdcGraphView, &CViewBase::pressCorner, this, &Veltrano::OnPressCornerDdc);
    connect(ui.m_pDemodGraphView, &CViewBase::pressCorner, this, &Veltrano::OnPressCornerDemod);

    connect(m_pNoConnectionWindow, &CNoConnectionWindow::switchToDemo, this, &Veltrano::OnSwitchToDemo);
    connect(m_pNoConnectionWindow, &CNoConnectionWindow::keepWaiting, this, &Veltrano::OnKeepWaiting);
    connect(m_pRecorderLoaderThread, &CRecorderLoaderThread::progress, this, &Veltrano::OnProgress);
    connect(m_pRecorderLoaderThread, &CRecorderLoaderThread::dataLoaded, this, &Veltrano::OnDataLoaded);
    // The loader never touches a view from its own thread: what it reads reaches the range view
    // through the event queue.
    connect(m_pRecorderLoaderThread, &CRecorderLoaderThread::spectrumLoaded, ui.m_pRangeGraphView,
            &CRangeView::SetSpectrumData);
    connect(m_pRecorderLoaderThread, &CRecorderLoaderThread::waterfallLineLoaded, ui.m_pRangeGraphView,
            &CRangeView::AddWaterfallLineAt);

    m_pStatusLabel->setText(tr("Connecting"));
    connect(&g_DeviceThread, &CDeviceThread::masterMode, this, &Veltrano::OnDeviceMasterMode);

    SetCurrentChannel(channelType, 0.0, true);

    g_DeviceThread.Start();

    m_CountersTimer.start(kCountersMs);
    m_ConnectionTimer.start(kConnectionCheckMs);
    m_ConnectionTimer2.start(kRateMs);
    m_DataTimer.start(kDataTickMs);

    splash->hide();

    OpenStartWindow(startWindow);

    // Nothing in the window shows the band buttons again; their slots stay connected.
    ui.m_pRange1Button->hide();
    ui.m_pRange2Button->hide();
    ui.m_pRange3Button->hide();

    m_pDebugWindow = new CDebugWindow(nullptr);
    delete splash;
}

Veltrano::~Veltrano()
{
    // The base destructor hides the children, and a dock shown until then reports that to slots of
    // this window, which by then is no longer one: nothing may reach them from here on.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    m_DataTimer.stop();
    m_CountersTimer.stop();
    m_ConnectionTimer2.stop();
    m_ConnectionTimer.stop();
    delete m_pDebugWindow;
    delete m_pProgressDialog;
    delete m_pRecorderLoaderThread;
    delete m_pNoConnectionWindow;
}

void Veltrano::OpenStartWindow(const QString& name)
{
    if (name == QLatin1String("Archive"))
        OnArchiveButton();
    else if (name == QLatin1String("Analysis"))
        OnAnalysisButton();
    else if (name == QLatin1String("Templates"))
        OnTemplatesButton();
    else if (name == QLatin1String("Pulse"))
        OnPulseButton();
    else if (name == QLatin1String("Monitoring"))
        Prompt().Critical(this, QCoreApplication::applicationName(), tr("DO NOT WORK in this version!!!"));
}

bool Veltrano::ToggleWindow(QWidget* window)
{
    if (!window)
        return false;
    window->setVisible(!window->isVisible());
    return window->isVisible();
}

void Veltrano::ReportCommandError(const char* name, const std::exception& error)
{
    qDebug() << name << error.what();
    Prompt().Critical(this, QCoreApplication::applicationName(),
                      tr("Unexpected error occurred!") + QStringLiteral(" (%1)").arg(QLatin1String(name)));
}

void Veltrano::StartDemoLevelFit()
{
    m_bFitDemoLevels = true;
}

void Veltrano::FitDemoLevels()
{
    if (!m_bFitDemoLevels || !g_DeviceThread.IsDemoMode())
        return;
    // Waits for a sweep that reached the spectrum pane: a paused pane has none to fit to.
    auto* spec = dynamic_cast<ISimpleGraphic*>(ui.m_pRangeGraphView->GetGraphic(QStringLiteral("Spec")));
    const std::vector<double>* shown = spec ? spec->GetData(1) : nullptr;
    if (!shown || shown->empty())
        return;
    ui.m_pRangeGraphView->FitLevelToNoise();
    m_bFitDemoLevels = false;
}

void Veltrano::SwitchOnlyDdcOff()
{
    ui.m_pOnlyDdcButton->setChecked(false);
    OnOnlyDdcChanged();
}

void Veltrano::OnConnectionTimer()
{
    try
    {
        // The range panes follow the synthesizer's sweep unless they hold or combine data; a
        // multiple-ranges spectrum lays out its own ranges.
        IAdf4350* adf = g_DeviceThread.m_pAdf;
        IGraphic* spec = ui.m_pRangeGraphView->GetGraphic(QStringLiteral("Spec"));
        if (adf && adf->IsEnabled() && spec && spec->GetDataOperation() == 0)
        {
            const double start = adf->GetStartFreq();
            const double stop = adf->GetStopFreq();
            if (start != stop)
            {
                if (!dynamic_cast<IMultiGraphic*>(spec))
                {
                    spec->SetXFrom(start);
                    spec->SetXTo(stop);
                }
                if (IGraphic* waterfall = ui.m_pRangeGraphView->GetGraphic(QStringLiteral("Waterfall")))
                {
                    waterfall->SetXFrom(start);
                    waterfall->SetXTo(stop);
                }
            }
        }

        UpdateRecordingTimeText();
        m_ConnectionTimer.stop();

        if (!g_DeviceThread.isRunning())
        {
            Prompt().Critical(nullptr, QCoreApplication::applicationName(),
                              tr("Device exchange thread died!"));
            g_DeviceThread.Start();
        }

        QString status;
        if (g_DeviceThread.IsOnline())
        {
            HideNoConnectionWindow();
            status = tr("Online mode");
            ui.m_pRangeSoundButton->setEnabled(true);
            ui.m_pDemodSoundButton->setEnabled(true);
        }
        else
        {
            status = tr("Connecting");
        }

        if (m_pMonitoring2Window->isVisible())
            StartMonitoringForVisibleRange();

        if (m_pStatusLabel->text() != status)
            m_pStatusLabel->setText(status);
        UpdateWindowTitle();
    }
    catch (const std::exception& error)
    {
        Prompt().Critical(
            nullptr, QCoreApplication::applicationName(),
            tr("Unexpected reinitialization error occurred! ") + QString::fromLocal8Bit(error.what()));
        m_ConnectionTimer.stop();
    }
}

QString Veltrano::FormatRecordingTime(quint64 freeBytes)
{
    // Whole days are counted, not shown as a day of the month: 0 bytes read "0 days 00:00:00".
    return CUtils::FormatCountedDays(tr("'Recording time available: 'd 'days' hh:mm:ss"),
                                     freeBytes / kRecordingBytesPerSecond);
}

QString Veltrano::RecordingTimeText(const QString& bufferPath)
{
    // The options dock keeps the range buffer path in the platform's own form.
    const QString path = QDir::fromNativeSeparators(bufferPath);
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return tr("Recording time available: n/a");
    return FormatRecordingTime(CUtils::GetDiskFreeSpace(path.left(slash + 1)));
}

void Veltrano::UpdateRecordingTimeText()
{
    m_pOptionsWindow->SetRangeWaterfallTimeText(
        RecordingTimeText(m_pOptionsWindow->GetRangeWaterfallBufferPath()));
}

void Veltrano::StartMonitoringForVisibleRange()
{
    IGraphic* first = ui.m_pRangeGraphView->GetGraphicAt(0);
    if (!first)
        return;
    m_pMonitoring2Window->StartForRange(first->GetXFrom(), first->GetXTo());
    SwitchOnlyDdcOff();
}

void Veltrano::OnConnectionTimer2()
{
    // The device thread only adds to its count; the rate is what it added since the last tick.
    // Counted modulo 2^32 so that a wrap of the count costs nothing.
    const auto received = static_cast<quint32>(g_DeviceThread.GetReceivedBytes());
    const quint32 bytes = received - m_nLastReceivedBytes;
    m_nLastReceivedBytes = received;
    m_pRateLabel->setText(
        tr("%1 MB/s").arg(static_cast<double>(bytes) / 2000000.0, 0, 'f', 2, QLatin1Char(' ')));
}

void Veltrano::OnFileDemoModeMenu()
{
    const QString title = QCoreApplication::applicationName();
    if (!g_DeviceThread.IsDemoMode())
    {
        if (Prompt().Question(this, title, tr("Do you want to switch to DEMO mode?")) == QMessageBox::Yes)
        {
            m_ConnectionTimer.stop();
            m_ConnectionTimer2.stop();
            g_DeviceThread.SetDemoMode(true);
            ui.m_pFileDemoModeAction->setChecked(true);
            m_pStatusLabel->setText(tr("DEMO mode"));
            ui.m_pRangeSoundButton->setEnabled(false);
            StartDemoLevelFit();
        }
        else
        {
            ui.m_pFileDemoModeAction->setChecked(false);
        }
    }
    else
    {
        if (Prompt().Question(this, title, tr("Do you want to switch to online mode?")) == QMessageBox::Yes)
        {
            m_ConnectionTimer.start(kConnectionCheckMs);
            m_ConnectionTimer2.start(kRateMs);
            g_DeviceThread.SetDemoMode(false);
            ui.m_pFileDemoModeAction->setChecked(false);
            m_pStatusLabel->setText(tr("Online mode"));
            ui.m_pRangeSoundButton->setEnabled(true);
            ui.m_pDemodSoundButton->setEnabled(true);
        }
        else
        {
            ui.m_pFileDemoModeAction->setChecked(true);
        }
    }
    UpdateWindowTitle();
}

void Veltrano::OnSwitchToDemo()
{
    m_ConnectionTimer.stop();
    g_DeviceThread.SetDemoMode(true);
    m_pStatusLabel->setText(tr("DEMO mode"));
    ui.m_pFileDemoModeAction->setChecked(true);
    ui.m_pRangeSoundButton->setEnabled(false);
    if (g_DeviceThread.m_pControlBits)
        g_DeviceThread.m_pControlBits->LoadFir();
    StartDemoLevelFit();
    UpdateWindowTitle();
}

void Veltrano::OnKeepWaiting()
{
    m_bKeepWaiting = true;
}
