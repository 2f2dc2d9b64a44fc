#pragma once

// The device-memory window's test fixture: a window's transfers run through the real device thread's
// Step against scripted analyser replies (tests/common/analysercore.h) put behind
// g_DeviceThread.m_pKelthar, and files are written to a scratch folder.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <memory>

#include "analysercore.h"
#include "devicethread.h"
#include "globals.h"
#include "memorywindow.h"
#include "scriptedprompt.h"

namespace
{
using analyser::CAnalyserCore;
using analyser::CAnalyserMemory;
using analyser::kPage;

const QString kTransferWarning = QStringLiteral("Memory data transfer");
const QString kDone = QStringLiteral("The operation was done successfully.");
const QString kUnsavedLoad =
    QStringLiteral("The changed memory data has NOT been saved. Do you want to save it?");
const QString kUnsavedDownload = QStringLiteral("The previous memory data has NOT been saved");

inline QByteArray Image(int size, std::initializer_list<std::pair<int, int>> bytes)
{
    QByteArray image(size, '\0');
    for (const auto& b : bytes)
        image[b.first] = static_cast<char>(b.second);
    return image;
}

// An analyser memory of `pages` pages whose bytes differ by page and position, with a valid directory
// (one spectrogram record, a pattern) so that the window lists it.
inline QByteArray AnalyserImage(int pages, int seed)
{
    QByteArray image(pages * kPage, '\0');
    for (int i = 16; i < image.size(); ++i)
        image[i] = static_cast<char>((i * 31 + seed) >> 2);
    image[0] = 1;
    image[5] = 0;
    image[9] = 0;
    image[12] = 1;
    image[15] = 0x3D;
    image[512] = 't';
    return image;
}

class MemoryWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_DeviceThread.CancelMemoryTransfer();
        g_DeviceThread.m_nTransferMode = 0;
        g_DeviceThread.m_nMemoryOrigin = 0;
        g_DeviceThread.m_bPatternFileLoaded = 0;
        g_DeviceThread.m_bMemoryUpload = false;
        g_DeviceThread.m_nMemoryDone = 0;
        g_DeviceThread.m_nMemoryTotal = 0;
        g_DeviceThread.m_nPatternOffset = 0;
        g_DeviceThread.m_MemoryImage = QByteArray(512, '\0');
        // The analyser's core stands in for the live one for the board exchange only.
        m_core = std::make_unique<CAnalyserCore>();
        m_liveCore = g_DeviceThread.m_pKelthar;
        g_DeviceThread.m_pKelthar = m_core.get();
    }
    void TearDown() override
    {
        g_DeviceThread.CancelMemoryTransfer();
        g_DeviceThread.m_nTransferMode = 0;
        g_DeviceThread.m_pKelthar = m_liveCore;
    }

    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }

    // Writes an image file and loads it through the window.
    void LoadFile(CMemoryWindow& window, const QByteArray& image)
    {
        const QString path = WriteFile(QStringLiteral("image.mem"), image);
        CScriptedPrompt prompt;
        if (window.HasUnsavedData())
            prompt.Answer(QMessageBox::No, kUnsavedLoad);
        prompt.AnswerOpenFile(path, QStringLiteral("Load memory data"));
        window.OnLoadButton();
    }

    // Runs the device thread's exchanges until the transfer leaves mode 2 (or `limit` steps).
    static int RunTransfer(int limit)
    {
        int steps = 0;
        while (g_DeviceThread.m_nTransferMode == 2 && steps < limit)
        {
            g_DeviceThread.Step();
            ++steps;
        }
        return steps;
    }

    void Download(CMemoryWindow& window, CAnalyserMemory& memory)
    {
        m_core->exchange = memory.Exchange();
        {
            CScriptedPrompt prompt;
            prompt.Answer(QMessageBox::Ok, kTransferWarning);
            window.OnDownloadButton();
        }
        RunTransfer(100000);
        CScriptedPrompt prompt;
        prompt.Answer(QMessageBox::Ok, kDone);
        window.OnTimer();
    }

    std::unique_ptr<CAnalyserCore> m_core;
    IKelthar* m_liveCore = nullptr;
    QTemporaryDir m_dir;
};

}  // namespace
