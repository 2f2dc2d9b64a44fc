#include "ddcwavwriterwindow.h"

#include <QApplication>
#include <QEvent>
#include <QTime>

#include <exception>

#include "devicethread.h"
#include "globals.h"
#include "icontrolbits.h"
#include "iddcwavwriter.h"
#include "ikelthar.h"
#include "parameters.h"
#include "prompt.h"
#include "ui_ddcwavwriterwindow.h"

CDdcWavWriterWindow::CDdcWavWriterWindow(QWidget* parent)
    : CQDockWindow(QStringLiteral("DdcWavWriterWindow"), parent),
      m_ui(std::make_unique<Ui::CDdcWavWriterWindowClass>())
{
    m_ui->setupUi(this);
    connect(m_ui->m_pBrowseButton, &QPushButton::clicked, this, &CDdcWavWriterWindow::OnBrowseButton);
    connect(m_ui->m_pStartButton, &QPushButton::clicked, this, &CDdcWavWriterWindow::OnStartButton);
    connect(m_ui->m_pStopButton, &QPushButton::clicked, this, &CDdcWavWriterWindow::OnStopButton);
    connect(m_ui->m_p24bitRadio, &QRadioButton::clicked, this, &CDdcWavWriterWindow::On24BitRadio);
    connect(m_ui->m_p16bitRadio, &QRadioButton::clicked, this, &CDdcWavWriterWindow::On16BitRadio);
    connect(&m_Timer, &QTimer::timeout, this, &CDdcWavWriterWindow::OnTimer);
}

CDdcWavWriterWindow::~CDdcWavWriterWindow()
{
    StopWriting();
    m_Timer.stop();
}

void CDdcWavWriterWindow::setVisible(bool visible)
{
    if (!visible)
        StopWriting();
    CQDockWindow::setVisible(visible);
}

void CDdcWavWriterWindow::StopWriting()
{
    IDdcWavWriter* writer = g_DeviceThread.m_pDdcWavWriter;
    if (writer != nullptr && writer->IsWriting())
        OnStopButton();
}

void CDdcWavWriterWindow::On24BitRadio()
{
    // Normalisation is offered for 16-bit files only; the box keeps its tick.
    m_ui->m_pNormalizeCheck->setEnabled(false);
}

void CDdcWavWriterWindow::On16BitRadio()
{
    m_ui->m_pNormalizeCheck->setEnabled(true);
}

void CDdcWavWriterWindow::OnBrowseButton()
{
    const QString section = QStringLiteral("FilePaths");
    const QString key = QStringLiteral("SaveDdcWav");
    const QString folder = g_Parameters.GetString(section, key, QString());
    const QString path =
        Prompt().GetSaveFileName(this, tr("Save DDC WAV File"), folder, tr("Waveform Audio (*.wav)"));
    if (path.isEmpty())
        return;
    m_ui->m_pFilePathEdit->setText(path);
    g_Parameters.SetString(section, key, path.left(path.lastIndexOf(QLatin1Char('/'))));
}

void CDdcWavWriterWindow::OnStartButton()
{
    const QString path = m_ui->m_pFilePathEdit->text();
    if (path.isEmpty())
    {
        Prompt().Information(this, QApplication::applicationName(), tr("No file specified!"));
        return;
    }
    IDdcWavWriter* writer = g_DeviceThread.m_pDdcWavWriter;
    IControlBits* bits = g_DeviceThread.m_pControlBits;
    bool started = false;
    if (writer != nullptr && bits != nullptr)
    {
        try
        {
            const int rate = static_cast<int>(bits->GetSampleRate(-1));
            started = writer->Start(path.toStdWString(), rate, m_ui->m_p16bitRadio->isChecked(),
                                    m_ui->m_pNormalizeCheck->isChecked());
        }
        catch (const std::exception&)
        {
            // No valid current band: nothing to record at a known rate.
            started = false;
        }
    }
    if (!started)
    {
        m_ui->m_pStatusLabel->setText(tr("Error"));
        return;
    }
    m_ui->m_pStartButton->setEnabled(false);
    m_ui->m_pStopButton->setEnabled(true);
    m_ui->m_pStatusLabel->setText(tr("Writing DDC data"));
    m_nSeconds = 0;
    m_Timer.start(1000);
}

void CDdcWavWriterWindow::OnTimer()
{
    m_ui->m_pStatusLabel->setText(tr("Writing DDC data") + QLatin1Char(' ') +
                                  QTime(0, 0).addSecs(m_nSeconds).toString(QStringLiteral("HH:mm:ss")));
    if (IKelthar* core = g_DeviceThread.m_pKelthar)
    {
        int total = 0;
        int lost = 0;
        core->TakeDdcSampleCounters(&total, &lost);
        const QString text = LostText(total, lost);
        if (!text.isEmpty())
            m_ui->m_pLostLabel->setText(text);
    }
    ++m_nSeconds;
}

QString CDdcWavWriterWindow::LostText(int total, int lost)
{
    if (total == 0)
        return QString();
    // In floating point: a share of the two integer counters would be 0 below 100 %.
    return tr("%1% lost").arg(QString::number(lost / static_cast<double>(total) * 100.0, 'f', 2));
}

void CDdcWavWriterWindow::OnStopButton()
{
    m_Timer.stop();
    if (IDdcWavWriter* writer = g_DeviceThread.m_pDdcWavWriter)
        writer->Stop();
    m_ui->m_pStartButton->setEnabled(true);
    m_ui->m_pStopButton->setEnabled(false);
    m_ui->m_pStatusLabel->clear();
    m_ui->m_pLostLabel->clear();
}

void CDdcWavWriterWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    else
        QWidget::changeEvent(event);
}
