#pragma once

// A fresh library core per test, so that archive, recorder and monitoring state never leaks from one
// test into the next.

#include <memory>

#include "kelthar.h"

class CPrivateCore
{
public:
    CPrivateCore()
    {
        IKelthar* core = nullptr;
        FPGAQueryInterface(&core);
        m_core.reset(core);
    }

    template <typename T>
    T* Get(int id)
    {
        void* out = nullptr;
        if (!m_core || !m_core->GetInterface(id, &out))
            return nullptr;
        return static_cast<T*>(out);
    }

    ISignalsArchive* Archive() { return Get<ISignalsArchive>(13); }
    ISignalRecorder* Recorder() { return Get<ISignalRecorder>(12); }

private:
    std::unique_ptr<IKelthar> m_core;
};
