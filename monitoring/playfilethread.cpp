#include "playfilethread.h"

#include "isoundengine.h"

CPlayFileThread::CPlayFileThread(ISoundEngine* engine) : m_pEngine(engine)
{
}

CPlayFileThread::~CPlayFileThread()
{
    End();
}

void CPlayFileThread::Begin()
{
    // A previous playback that is still finishing its block is ended first.
    End();
    m_bRun = true;
    start(QThread::TimeCriticalPriority);
}

void CPlayFileThread::End()
{
    m_bRun = false;
    wait();
}

void CPlayFileThread::run()
{
    try
    {
        while (m_bRun && m_pEngine && m_pEngine->PlayNextBlock())
        {
        }
    }
    catch (const std::exception&)
    {
    }
    m_bRun = false;
}
