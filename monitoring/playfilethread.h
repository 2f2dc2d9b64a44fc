#pragma once

#include <QThread>

#include <atomic>

class ISoundEngine;

// Plays a sound file block by block; each block is about one second and the sound output paces it, so
// the loop does not sleep. Stop clears the run flag and waits for the block in hand.
class CPlayFileThread : public QThread
{
    Q_OBJECT

public:
    explicit CPlayFileThread(ISoundEngine* engine = nullptr);
    ~CPlayFileThread() override;

    void SetEngine(ISoundEngine* engine) { m_pEngine = engine; }
    // Sets the run flag before the thread exists, so a Stop issued right after Start is never lost.
    void Begin();
    // Clears the run flag and returns once the loop has left the engine.
    void End();
    bool IsRunFlagSet() const { return m_bRun; }

protected:
    void run() override;

private:
    ISoundEngine* m_pEngine;
    std::atomic<bool> m_bRun{false};
};
