// The device-memory window: its form, settings and language, the transfers and the image files. The
// listing, the views, the deletes and the archive hand-over are in memorywindowviews.cpp.

#include "memorywindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QSaveFile>

#include "devicethread.h"
#include "globals.h"
#include "parameters.h"
#include "prompt.h"

namespace
{
QString AppName()
{
    return QCoreApplication::applicationName();
}
const QString kSection = QStringLiteral("MemoryWindow");
const QString kSplitterKey = QStringLiteral("SplitterState");
const QString kPathsSection = QStringLiteral("FilePaths");
const QString kMemoryKey = QStringLiteral("SaveMemory");
constexpr int kDefaultColumnWidth = 100;

QString ColumnKey(int column)
{
    return QStringLiteral("Column%1").arg(column);
}
}  // namespace

CMemoryWindow::CMemoryWindow(QWidget* parent) : CQDockWindow(QStringLiteral("MemoryWindow"), parent)
{
    // The base names every dock after its settings; this one carries its form's name.
    setObjectName(QString());
    ui.setupUi(this);
    m_RecordHeader = QByteArray(512, '\0');
    m_EntryTable = QByteArray(4096, '\0');
    RestoreLayout();

    connect(ui.m_pGroupsTree, &QTreeWidget::currentItemChanged, this,
            &CMemoryWindow::OnGroupsTreeCurrentItemChanged);
    connect(ui.m_pDataTree, &QTreeWidget::currentItemChanged, this,
            &CMemoryWindow::OnDataTreeCurrentItemChanged);
    connect(ui.m_pContentTree, &QWidget::customContextMenuRequested, this, &CMemoryWindow::OnTreeContextMenu);
    connect(ui.m_pGroupsTree, &QWidget::customContextMenuRequested, this,
            &CMemoryWindow::OnGroupTreeContextMenu);
    connect(ui.m_pDataTree, &QWidget::customContextMenuRequested, this,
            &CMemoryWindow::OnDataTreeContextMenu);
    connect(ui.m_pDownloadButton, &QPushButton::clicked, this, &CMemoryWindow::OnDownloadButton);
    connect(ui.m_pSaveButton, &QPushButton::clicked, this, &CMemoryWindow::OnSaveButton);
    connect(ui.m_pLoadButton, &QPushButton::clicked, this, &CMemoryWindow::OnLoadButton);
    connect(ui.m_pUploadButton, &QPushButton::clicked, this, &CMemoryWindow::OnUploadButton);
    connect(ui.m_pCancelButton, &QPushButton::clicked, this, &CMemoryWindow::OnCancelButton);
    connect(&m_TransferTimer, &QTimer::timeout, this, &CMemoryWindow::OnTimer);
}

CMemoryWindow::~CMemoryWindow()
{
    // Unsaved data was asked about when the program closed, before any window went away.
    StoreLayout();
    m_TransferTimer.stop();
}

void CMemoryWindow::RestoreLayout()
{
    if (!g_Parameters.HasKey(kSection, ColumnKey(0)))
    {
        for (int column = 0; column < kColumns; ++column)
            g_Parameters.SetInt(kSection, ColumnKey(column), kDefaultColumnWidth);
    }
    for (int column = 0; column < kColumns; ++column)
        ui.m_pContentTree->setColumnWidth(
            column,
            std::max(g_Parameters.GetInt(kSection, ColumnKey(column), kDefaultColumnWidth), kMinColumnWidth));

    const QByteArray state =
        QByteArray::fromHex(g_Parameters.GetString(kSection, kSplitterKey, QString()).toLatin1());
    if (state.isEmpty() || !ui.m_pSplitter->restoreState(state))
        ui.m_pSplitter->setSizes({width() / 4, 3 * width() / 4});
}

void CMemoryWindow::StoreLayout()
{
    for (int column = 0; column < kColumns; ++column)
        g_Parameters.SetInt(kSection, ColumnKey(column), ui.m_pContentTree->columnWidth(column));
    g_Parameters.SetString(kSection, kSplitterKey, QString::fromLatin1(ui.m_pSplitter->saveState().toHex()));
}

void CMemoryWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        // The form puts its own "0 signals" back; the list still holds its rows.
        ui.retranslateUi(this);
        ShowCount();
        return;
    }
    CQDockWindow::changeEvent(event);
}

void CMemoryWindow::setVisible(bool visible)
{
    if (visible)
    {
        // Showing an already shown window must not take the device away from a running transfer.
        if (!IsTransferRunning())
        {
            ui.m_pProgressBar->setValue(0);
            g_DeviceThread.m_nTransferMode = 1;
        }
    }
    else
    {
        // Hiding resumes acquisition; a transfer still running would leave the analyser waiting in its
        // transfer menu while the loop reads samples, so it is cancelled first.
        if (IsTransferRunning())
            EndTransfer();
        g_DeviceThread.m_nTransferMode = 0;
    }
    CQDockWindow::setVisible(visible);
}

bool CMemoryWindow::IsTransferRunning() const
{
    return g_DeviceThread.m_nTransferMode == 2;
}

void CMemoryWindow::UpdateButtons()
{
    const bool idle = !IsTransferRunning();
    ui.m_pDownloadButton->setEnabled(idle);
    ui.m_pUploadButton->setEnabled(idle);
    ui.m_pLoadButton->setEnabled(idle);
    ui.m_pSaveButton->setEnabled(idle);
}

void CMemoryWindow::ShowTransferWarning()
{
    Prompt().Warning(
        this, AppName(),
        tr("Before pressing OK button, choose 'Memory data transfer' on the Morvik device's start menu. "
           "You must see the message 'Memory data transfer...' on the screen. (Important: The version "
           "of the Morvik firmware must be 1.8.00 or above)"));
}

bool CMemoryWindow::HasUnsavedData() const
{
    return g_DeviceThread.m_nMemoryOrigin == 1 || m_bChanged;
}

bool CMemoryWindow::AskToSaveChanges()
{
    if (!HasUnsavedData())
        return true;
    if (Prompt().Question(this, AppName(),
                          tr("The changed memory data has NOT been saved. Do you want to save it?")) !=
        QMessageBox::Yes)
        return true;
    return SaveImage();
}

void CMemoryWindow::OnDownloadButton()
{
    // One transfer at a time: a download would otherwise turn a running upload around.
    if (IsTransferRunning())
        return;
    if (HasUnsavedData() &&
        Prompt().Question(
            this, AppName(),
            tr("The previous memory data has NOT been saved. Do you want to download new memory "
               "data?")) != QMessageBox::Yes)
        return;
    ShowTransferWarning();
    g_DeviceThread.m_bPatternFileLoaded = 0;
    g_DeviceThread.m_nMemoryOrigin = 0;
    m_bChanged = false;
    // The pages go into the device thread's own buffer; the image shown here stays until the last page
    // has arrived.
    g_DeviceThread.StartMemoryDownload();
    m_TransferTimer.start(kPollIntervalMs);
    UpdateButtons();
}

void CMemoryWindow::OnUploadButton()
{
    if (IsTransferRunning())
        return;
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
    if (static_cast<qint64>(g_DeviceThread.m_nPatternOffset) + CMemoryDirectory::kPageSize >=
        g_DeviceThread.m_MemoryImage.size())
    {
        Prompt().Warning(this, AppName(),
                         tr("The pattern in the loaded file is incomplete. Nothing was sent."));
        return;
    }
    ShowTransferWarning();
    // The device thread sends from its own copy of the pattern region, taken now.
    g_DeviceThread.StartMemoryUpload(g_DeviceThread.m_MemoryImage, g_DeviceThread.m_nPatternOffset,
                                     kUploadPages);
    m_TransferTimer.start(kPollIntervalMs);
    UpdateButtons();
}

void CMemoryWindow::EndTransfer()
{
    g_DeviceThread.CancelMemoryTransfer();
    m_TransferTimer.stop();
    g_DeviceThread.m_bPatternFileLoaded = 0;
    UpdateButtons();
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
        ui.m_pProgressBar->setValue(0);
        return;
    }
    if (done != total)
    {
        ui.m_pProgressBar->setValue(static_cast<int>(static_cast<qint64>(done) * 100 / total));
        return;
    }
    const bool wasDownload = !g_DeviceThread.m_bMemoryUpload;
    if (wasDownload)
    {
        QByteArray image;
        // The count is published only after the last page is stored; until the buffer is handed over
        // the next tick looks again.
        if (!g_DeviceThread.TakeDownloadedImage(image))
            return;
        g_DeviceThread.m_MemoryImage = image;
        g_DeviceThread.m_nMemoryOrigin = 1;
    }
    g_DeviceThread.m_nTransferMode = 1;
    g_DeviceThread.m_bMemoryUpload = false;
    m_TransferTimer.stop();
    g_DeviceThread.m_bPatternFileLoaded = 0;
    UpdateButtons();
    ui.m_pProgressBar->setValue(100);
    ParseMemoryImage();
    Prompt().Information(this, AppName(), tr("The operation was done successfully."));
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
    if (IsTransferRunning())
        return;
    // A new image replaces the one shown: unsaved data is offered a save first.
    if (!AskToSaveChanges())
        return;
    const QString path =
        Prompt().GetOpenFileName(this, tr("Load memory data"), StartFolder(), tr("Memory files (*.mem)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray image = file.readAll();
    // The check byte is byte 15: a file too short to hold it is no image either.
    if (image.size() <= 15 || !CMemoryDirectory::HasCheckByte(image))
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
    if (IsTransferRunning())
        return;
    SaveImage();
}

bool CMemoryWindow::SaveImage()
{
    if (g_DeviceThread.m_nMemoryOrigin == 0 && !m_bChanged)
    {
        Prompt().Warning(this, AppName(),
                         tr("The memory data must be loaded before. Use 'Download from Morvik' button."));
        return false;
    }
    const QString path =
        Prompt().GetSaveFileName(this, tr("Save memory data"), StartFolder(), tr("Memory files (*.mem)"));
    if (path.isEmpty())
        return false;
    // The image is the only copy of the analyser's memory once the device has been cleared: write it
    // whole or leave the old file alone, and say so when it failed.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(g_DeviceThread.m_MemoryImage) != g_DeviceThread.m_MemoryImage.size() || !file.commit())
    {
        Prompt().Warning(this, AppName(), tr("Failed to save the memory data!"));
        return false;
    }
    g_DeviceThread.m_nMemoryOrigin = 2;
    m_bChanged = false;
    StoreFolder(path);
    return true;
}
