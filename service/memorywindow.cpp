#include "memorywindow.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include "devicethread.h"
#include "globals.h"
#include "memorydirectory.h"
#include "parameters.h"
#include "prompt.h"

namespace
{
QString AppName()
{
    return QCoreApplication::applicationName();
}
const QString kPathsSection = QStringLiteral("FilePaths");
const QString kMemoryKey = QStringLiteral("SaveMemory");
}  // namespace

CMemoryWindow::CMemoryWindow(QWidget* parent) : CQDockWindow(QStringLiteral("MemoryWindow"), parent)
{
    setWindowTitle(tr("Internal Memory of the Morvik"));
    setAllowedAreas(Qt::NoDockWidgetArea);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    auto* top = new QHBoxLayout();
    m_pDownloadButton = new QPushButton(tr("Download from Morvik"), content);
    m_pSaveButton = new QPushButton(tr("Save..."), content);
    m_pLoadButton = new QPushButton(tr("Load..."), content);
    m_pUploadButton = new QPushButton(tr("Upload the pattern to Morvik"), content);
    top->addWidget(m_pDownloadButton);
    top->addWidget(m_pSaveButton);
    top->addWidget(m_pLoadButton);
    top->addWidget(m_pUploadButton);
    layout->addLayout(top);
    auto* second = new QHBoxLayout();
    m_pProgressBar = new QProgressBar(content);
    m_pProgressBar->setRange(0, 100);
    m_pProgressBar->setValue(0);
    m_pCancelButton = new QPushButton(tr("Cancel"), content);
    second->addWidget(m_pProgressBar);
    second->addWidget(m_pCancelButton);
    layout->addLayout(second);
    m_pDirectoryLabel = new QLabel(content);
    layout->addWidget(m_pDirectoryLabel, 1, Qt::AlignTop);
    setWidget(content);

    connect(m_pDownloadButton, &QPushButton::clicked, this, &CMemoryWindow::OnDownloadButton);
    connect(m_pSaveButton, &QPushButton::clicked, this, &CMemoryWindow::OnSaveButton);
    connect(m_pLoadButton, &QPushButton::clicked, this, &CMemoryWindow::OnLoadButton);
    connect(m_pUploadButton, &QPushButton::clicked, this, &CMemoryWindow::OnUploadButton);
    connect(m_pCancelButton, &QPushButton::clicked, this, &CMemoryWindow::OnCancelButton);
    connect(&m_TransferTimer, &QTimer::timeout, this, &CMemoryWindow::OnTimer);
}

CMemoryWindow::~CMemoryWindow()
{
    try
    {
        if (m_bChanged &&
            Prompt().Question(this, AppName(),
                              tr("The changed memory data has NOT been saved. Do you want to save "
                                 "it?")) == QMessageBox::Yes)
            OnSaveButton();
    }
    catch (const std::exception&)
    {
    }
    m_TransferTimer.stop();
}

void CMemoryWindow::setVisible(bool visible)
{
    if (visible)
    {
        m_pProgressBar->setValue(0);
        g_DeviceThread.m_nTransferMode = 1;
    }
    else
    {
        // Hiding resumes acquisition; a transfer still running would leave the analyser waiting in its
        // transfer menu while the loop reads samples, so it is cancelled first.
        if (g_DeviceThread.m_nTransferMode == 2)
            EndTransfer();
        g_DeviceThread.m_nTransferMode = 0;
    }
    CQDockWindow::setVisible(visible);
}

void CMemoryWindow::ShowTransferWarning()
{
    Prompt().Warning(
        this, AppName(),
        tr("Before pressing OK button, choose 'Memory data transfer' on the Morvik device's start menu. "
           "You must see the message 'Memory data transfer...' on the screen. (Important: The version "
           "of the Morvik firmware must be 1.8.00 or above)"));
}

void CMemoryWindow::OnDownloadButton()
{
    if (g_DeviceThread.m_nMemoryOrigin == 1 &&
        Prompt().Question(
            this, AppName(),
            tr("The previous memory data has NOT been saved. Do you want to download new memory "
               "data?")) != QMessageBox::Yes)
        return;
    ShowTransferWarning();
    g_DeviceThread.m_bPatternFileLoaded = 0;
    g_DeviceThread.m_nMemoryOrigin = 0;
    m_bChanged = false;
    g_DeviceThread.m_bMemoryUpload = false;
    g_DeviceThread.m_nMemoryDone = 0;
    g_DeviceThread.m_nMemoryTotal = 0;
    // The mode goes last: it hands the fields above to the device thread.
    g_DeviceThread.m_nTransferMode = 2;
    m_TransferTimer.start(kPollIntervalMs);
}

void CMemoryWindow::OnUploadButton()
{
    if (g_DeviceThread.m_nPatternOffset == 0)
    {
        Prompt().Warning(
            this, AppName(),
            tr("There is NO pattern. Use 'Load' button and make sure you see some pattern on the "
               "screen."));
        return;
    }
    if (g_DeviceThread.m_nMemoryOrigin != 0)
    {
        Prompt().Warning(
            this, AppName(),
            tr("This pattern just has been downloaded from the memory of the Morvik. To upload a new "
               "pattern use 'Load' button."));
        return;
    }
    if (g_DeviceThread.m_bPatternFileLoaded == 0)
    {
        Prompt().Warning(this, AppName(), tr("The pattern file must be loaded before. Use 'Load' button."));
        return;
    }
    // The analyser's memory is overwritten with what the image holds from the pattern on; an image that
    // ends at or inside the pattern's header would fill it with zeros.
    if (g_DeviceThread.m_nPatternOffset + CMemoryDirectory::kPageSize >= g_DeviceThread.m_MemoryImage.size())
    {
        Prompt().Warning(this, AppName(),
                         tr("The pattern in the loaded file is incomplete. Nothing was sent."));
        return;
    }
    ShowTransferWarning();
    g_DeviceThread.m_bMemoryUpload = true;
    g_DeviceThread.m_nMemoryDone = 0;
    g_DeviceThread.m_nMemoryTotal = kUploadPages;
    g_DeviceThread.m_nTransferMode = 2;
    m_TransferTimer.start(kPollIntervalMs);
}

void CMemoryWindow::EndTransfer()
{
    g_DeviceThread.m_bMemoryUpload = false;
    g_DeviceThread.m_nTransferMode = 1;
    m_TransferTimer.stop();
    g_DeviceThread.m_bPatternFileLoaded = 0;
}

void CMemoryWindow::OnCancelButton()
{
    EndTransfer();
}

void CMemoryWindow::OnTimer()
{
    const int total = g_DeviceThread.m_nMemoryTotal;
    const int done = g_DeviceThread.m_nMemoryDone;
    if (total == 0)
    {
        m_pProgressBar->setValue(0);
        return;
    }
    if (done != total)
    {
        m_pProgressBar->setValue(static_cast<int>(static_cast<qint64>(done) * 100 / total));
        return;
    }
    const bool wasDownload = !g_DeviceThread.m_bMemoryUpload;
    g_DeviceThread.m_nTransferMode = 1;
    if (wasDownload)
        g_DeviceThread.m_nMemoryOrigin = 1;
    g_DeviceThread.m_bMemoryUpload = false;
    m_TransferTimer.stop();
    g_DeviceThread.m_bPatternFileLoaded = 0;
    m_pProgressBar->setValue(100);
    ParseMemoryImage();
    Prompt().Information(this, AppName(), tr("The operation was done successfully."));
}

void CMemoryWindow::ParseMemoryImage()
{
    const MEMORY_DIRECTORY dir = CMemoryDirectory::Decode(g_DeviceThread.m_MemoryImage);
    g_DeviceThread.m_nSpectrogramCount = dir.spectrogramCount;
    g_DeviceThread.m_nAnalysisCount = dir.analysisCount;
    g_DeviceThread.m_nSpectrogramOffset = dir.spectrogramOffset;
    g_DeviceThread.m_nAnalysisOffset = dir.analysisOffset;
    g_DeviceThread.m_nPatternOffset = dir.patternOffset;
    m_pDirectoryLabel->setText(tr("Spectrograms: %1\nAnalyses: %2\nPattern: %3")
                                   .arg(dir.spectrogramCount)
                                   .arg(dir.analysisCount)
                                   .arg(dir.patternOffset != 0 ? tr("yes") : tr("NO DATA")));
}

QString CMemoryWindow::StartFolder() const
{
    return g_Parameters.GetString(kPathsSection, kMemoryKey, QString());
}

void CMemoryWindow::StoreFolder(const QString& path)
{
    g_Parameters.SetString(kPathsSection, kMemoryKey, path.left(path.lastIndexOf(QLatin1Char('/'))));
}

void CMemoryWindow::OnLoadButton()
{
    const QString path =
        Prompt().GetOpenFileName(this, tr("Load memory data"), StartFolder(), tr("Memory files (*.mem)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray image = file.readAll();
    if (image.isEmpty() || !CMemoryDirectory::HasCheckByte(image))
        return;
    g_DeviceThread.m_MemoryImage = image;
    g_DeviceThread.m_bPatternFileLoaded = 0;
    g_DeviceThread.m_nMemoryOrigin = 0;
    m_bChanged = false;
    ParseMemoryImage();
    if (g_DeviceThread.m_nSpectrogramOffset != 0 || g_DeviceThread.m_nAnalysisOffset != 0 ||
        g_DeviceThread.m_nPatternOffset != 0)
        g_DeviceThread.m_bPatternFileLoaded = 1;
    StoreFolder(path);
}

void CMemoryWindow::OnSaveButton()
{
    if (g_DeviceThread.m_nMemoryOrigin == 0 && !m_bChanged)
    {
        Prompt().Warning(this, AppName(),
                         tr("The memory data must be loaded before. Use 'Download from Morvik' button."));
        return;
    }
    const QString path =
        Prompt().GetSaveFileName(this, tr("Save memory data"), StartFolder(), tr("Memory files (*.mem)"));
    if (path.isEmpty())
        return;
    // The image is the only copy of the analyser's memory once the device has been cleared: write it
    // whole or leave the old file alone, and say so when it failed.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(g_DeviceThread.m_MemoryImage) != g_DeviceThread.m_MemoryImage.size() || !file.commit())
    {
        Prompt().Warning(this, AppName(), tr("Failed to save the memory data!"));
        return;
    }
    g_DeviceThread.m_nMemoryOrigin = 2;
    m_bChanged = false;
    StoreFolder(path);
}
