#include "sdrlink.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "clock.h"
#include "libiiobackend.h"
#include "messagesink.h"
#include "processstate.h"

namespace
{
// The link's progress lines go to standard output; diagnostics of the library go to standard error.
void TraceLine(const char* line)
{
    std::fputs(line, stdout);
    std::fflush(stdout);
}

const char* StreamChannelName(const char* base, int number, char (&scratch)[64])
{
    std::snprintf(scratch, sizeof(scratch), "%s%d", base, number);
    return scratch;
}

uint64_t SteadyClockMs()
{
    return kplatform::SteadyMs();
}
}  // namespace

CSdrLink& CSdrLink::Instance()
{
    static CSdrLink link;
    return link;
}

CSdrLink::CSdrLink() : m_backend(std::make_shared<CLibIioBackend>()), m_clockMs(SteadyClockMs)
{
}

std::string CSdrLink::ResolveUri(const std::string& configured)
{
    // Tests and hand-started programs pin the SDR to loopback through this variable.
    const char* pinned = std::getenv("KELTHAR_SDR_URI");
    return pinned ? std::string(pinned) : configured;
}

void CSdrLink::AttachCore()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_cores;
}

void CSdrLink::DetachCore()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_cores > 0 && --m_cores == 0)
        TearDownLocked(0, true);
}

int CSdrLink::CoreCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_cores;
}

int CSdrLink::Start(const std::string& uri, SDR_STREAM_CONFIG& rx, SDR_STREAM_CONFIG& tx)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_context)
        return kAlreadyStarted;

    // The program retries a failed start every 200 ms while it holds its data lock; one attempt a
    // second is plenty for a device that is being plugged in.
    const uint64_t nowMs = m_clockMs();
    if (m_attempted && nowMs - m_lastAttemptMs < kRetryIntervalMs)
        return kRetryLater;
    m_attempted = true;
    m_lastAttemptMs = nowMs;

    TraceLine("* Acquiring IIO context\n");
    rx.hardwareGainDb = 45;
    rx.bandwidthHz = 61000000;
    rx.sampleRateHz = 61000000;
    rx.loHz = 100000000;
    rx.rfPort = "A_BALANCED";
    rx.gainControlMode = "manual";
    rx.flag = 1;
    tx.powerDown = 1;

    m_context = m_backend->CreateContext(ResolveUri(uri));
    if (m_context == nullptr)
    {
        ReportDeviceNotFound();
        return kContextFailed;
    }

    // From here on a missing piece leaves a link that cannot stream: drop it, so that the next
    // start builds it again, and say nothing (the device answered, it is not "not found").
    auto incomplete = [this](const char* what)
    {
        TraceLine(what);
        TearDownLocked(0, false);
        return kIncomplete;
    };
    if (m_backend->GetDevicesCount(m_context) == 0)
        return incomplete("* No IIO devices in the context\n");

    TraceLine("* Acquiring AD9361 streaming devices\n");
    m_rxDevice = m_backend->FindDevice(m_context, kRxDevice);
    if (m_rxDevice == nullptr)
        return incomplete("* No AD9361 receive streaming device\n");

    TraceLine("* Configuring AD9361 for streaming\n");
    if (!ConfigureLocked(rx, kReceive))
        return incomplete("* AD9361 receive configuration failed\n");

    TraceLine("* Initializing AD9361 IIO streaming channels\n");
    if (!FindStreamChannels(m_rxDevice, false, &m_rxI, &m_rxQ))
        return incomplete("* AD9361 receive streaming channels not found\n");

    TraceLine("* Enabling IIO streaming channels\n");
    m_backend->EnableChannel(m_rxI);
    m_backend->EnableChannel(m_rxQ);
    m_usable = true;
    return kStarted;
}

void CSdrLink::Shutdown(int code)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    TearDownLocked(code, true);
}

void CSdrLink::TearDownLocked(int code, bool loud)
{
    m_usable = false;
    if (m_context)
    {
        if (loud)
            TraceLine("* Destroying buffers\n");
        if (m_rxBuffer)
            m_backend->DestroyBuffer(m_rxBuffer);
        if (m_txBuffer)
            m_backend->DestroyBuffer(m_txBuffer);
        if (loud)
            TraceLine("* Disabling streaming channels\n");
        for (IioChannel* channel : {m_rxI, m_rxQ, m_txI, m_txQ})
            if (channel)
                m_backend->DisableChannel(channel);
        if (loud)
            TraceLine("* Destroying context\n");
        m_backend->DestroyContext(m_context);
    }
    if (loud && code != 0 && !DeviceNotFoundReported())
    {
        kplatform::ShowMessage(kCaption, "shutdown: " + std::to_string(code),
                               kplatform::MessageIcon::Information);
        ReportDeviceNotFound();
    }
    // Every handle is forgotten: another core may still be alive and must see "no link", never a freed
    // context, and a later start builds the link again.
    m_context = nullptr;
    m_rxDevice = nullptr;
    m_txDevice = nullptr;
    m_rxI = m_rxQ = m_txI = m_txQ = nullptr;
    m_rxBuffer = m_txBuffer = nullptr;
    m_rxBufferSamples = m_txBufferSamples = 0;
    m_txStartResult = false;
    TheCoreProcessState().transmitterStarted = false;
}

bool CSdrLink::Configure(const SDR_STREAM_CONFIG& config, int direction)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return ConfigureLocked(config, direction);
}

bool CSdrLink::ConfigureLocked(const SDR_STREAM_CONFIG& config, int direction)
{
    IioChannel* phy = nullptr;
    if (!FindChannelLocked(direction, false, &phy))
        return false;
    m_backend->WriteChannelAttr(phy, "rf_port_select", config.rfPort);
    if (direction == kReceive)
        m_backend->WriteChannelAttr(phy, "gain_control_mode", config.gainControlMode);
    WriteLongLong(phy, "rf_bandwidth", config.bandwidthHz);
    WriteLongLong(phy, "hardwaregain", config.hardwareGainDb);
    WriteLongLong(phy, "sampling_frequency", config.sampleRateHz);

    IioChannel* lo = nullptr;
    if (!FindChannelLocked(direction, true, &lo))
        return false;
    WriteLongLong(lo, "frequency", config.loHz);
    if (direction == kTransmit)
        WriteLongLong(lo, "powerdown", config.powerDown);
    return true;
}

bool CSdrLink::FindPhyChannel(int direction, IioChannel** channel)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return FindChannelLocked(direction, false, channel);
}

bool CSdrLink::FindLoChannel(int direction, IioChannel** channel)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return FindChannelLocked(direction, true, channel);
}

bool CSdrLink::FindChannelLocked(int direction, bool lo, IioChannel** channel)
{
    IioDevice* phy = m_backend->FindDevice(m_context, kPhyDevice);
    IioChannel* found = nullptr;
    if (phy)
    {
        if (lo)
            found = m_backend->FindChannel(phy, direction == kTransmit ? "altvoltage1" : "altvoltage0", true);
        else
            found = m_backend->FindChannel(phy, "voltage0", direction == kTransmit);
    }
    if (channel)
        *channel = found;
    return found != nullptr;
}

bool CSdrLink::WriteLo(int direction, int64_t loHz)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    IioChannel* lo = nullptr;
    if (!FindChannelLocked(direction, true, &lo))
        return false;
    return WriteLongLong(lo, "frequency", loHz);
}

bool CSdrLink::WriteLongLong(IioChannel* channel, const char* attr, int64_t value)
{
    if (m_backend->WriteChannelAttrLongLong(channel, attr, value) >= 0)
        return true;
    // A refused value (the transceiver rejects some narrow bandwidths and rates) is reported once, with
    // the device-not-found text after it; the caller goes on with the next write.
    if (!DeviceNotFoundReported())
    {
        kplatform::ShowMessage(kCaption, "wr_ch_lli: " + std::to_string(value),
                               kplatform::MessageIcon::Information);
        ReportDeviceNotFound();
    }
    return false;
}

bool CSdrLink::FindStreamChannels(IioDevice* device, bool output, IioChannel** i, IioChannel** q)
{
    char scratch[64];
    IioChannel* found[2] = {nullptr, nullptr};
    for (int number = 0; number < 2; ++number)
    {
        found[number] = m_backend->FindChannel(device, StreamChannelName("voltage", number, scratch), output);
        if (found[number] == nullptr)
            found[number] =
                m_backend->FindChannel(device, StreamChannelName("altvoltage", number, scratch), output);
    }
    *i = found[0];
    *q = found[1];
    return *i != nullptr && *q != nullptr;
}

bool CSdrLink::RecreateRxBuffer(size_t samples)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_rxBuffer)
        m_backend->DestroyBuffer(m_rxBuffer);
    m_rxBuffer = nullptr;
    m_rxBufferSamples = 0;
    if (!m_usable)
        return false;
    m_rxBuffer = m_backend->CreateBuffer(m_rxDevice, samples, false);
    if (m_rxBuffer == nullptr)
        return false;
    m_rxBufferSamples = samples;
    return true;
}

ssize_t CSdrLink::RefillRx()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_rxBuffer == nullptr)
        return -ENOENT;
    return m_backend->RefillBuffer(m_rxBuffer);
}

CSdrLink::SampleView CSdrLink::ViewOf(IioBuffer* buffer, IioChannel* i, IioChannel* q)
{
    SampleView view;
    if (buffer == nullptr || i == nullptr || q == nullptr)
        return view;
    view.first = m_backend->BufferFirst(buffer, i);
    uint8_t* qFirst = m_backend->BufferFirst(buffer, q);
    view.step = m_backend->BufferStep(buffer);
    view.end = m_backend->BufferEnd(buffer);
    if (view.first == nullptr || qFirst == nullptr || view.end == nullptr)
        return SampleView();
    view.qOffset = qFirst - view.first;
    return view;
}

CSdrLink::SampleView CSdrLink::RxSamples()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return ViewOf(m_rxBuffer, m_rxI, m_rxQ);
}

void CSdrLink::VisitRxSamples(const std::function<void(const SampleView&)>& visit)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    visit(ViewOf(m_rxBuffer, m_rxI, m_rxQ));
}

size_t CSdrLink::CopyRxSamples(uint8_t* dest, size_t maxSamples)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const SampleView view = ViewOf(m_rxBuffer, m_rxI, m_rxQ);
    const size_t count = std::min(view.Count(), maxSamples);
    if (count == 0)
        return 0;
    // The buffer holds the device's little-endian words as they arrived; I and Q side by side make the
    // common layout a single copy.
    if (view.step == 4 && view.qOffset == 2)
    {
        std::memcpy(dest, view.first, count * 4);
        return count;
    }
    const uint8_t* sample = view.first;
    for (size_t n = 0; n < count; ++n, sample += view.step, dest += 4)
    {
        std::memcpy(dest, sample, 2);
        std::memcpy(dest + 2, sample + view.qOffset, 2);
    }
    return count;
}

bool CSdrLink::StartTransmitter(SDR_STREAM_CONFIG& tx)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (TheCoreProcessState().transmitterStarted)
        return m_txStartResult;
    if (m_context == nullptr)
        return false;
    TheCoreProcessState().transmitterStarted = true;
    kplatform::Trace("\nStartZantigo");

    tx.hardwareGainDb = -89;
    tx.bandwidthHz = 8000000;
    tx.sampleRateHz = 2500000;
    tx.loHz = kMaxLoHz;
    tx.rfPort = "A";
    tx.powerDown = 1;
    tx.flag = 0;

    m_txDevice = m_backend->FindDevice(m_context, kTxDevice);
    if (m_txDevice == nullptr || !ConfigureLocked(tx, kTransmit) ||
        !FindStreamChannels(m_txDevice, true, &m_txI, &m_txQ))
    {
        // No transmit stream: the generator's buffer creation then fails and takes its failure path.
        m_txStartResult = false;
        return false;
    }
    m_backend->EnableChannel(m_txI);
    m_backend->EnableChannel(m_txQ);
    m_txStartResult = true;
    return true;
}

bool CSdrLink::IsTransmitterStarted() const
{
    return TheCoreProcessState().transmitterStarted;
}

bool CSdrLink::RecreateTxBuffer(size_t samples)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_txBuffer)
        m_backend->DestroyBuffer(m_txBuffer);
    m_txBuffer = nullptr;
    m_txBufferSamples = 0;
    if (m_txDevice == nullptr)
    {
        errno = ENODEV;
        return false;
    }
    m_txBuffer = m_backend->CreateBuffer(m_txDevice, samples, true);
    if (m_txBuffer == nullptr)
        return false;
    m_txBufferSamples = samples;
    return true;
}

CSdrLink::SampleView CSdrLink::TxSamples()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return ViewOf(m_txBuffer, m_txI, m_txQ);
}

ssize_t CSdrLink::PushTx()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_txBuffer == nullptr)
        return -ENOENT;
    return m_backend->PushBuffer(m_txBuffer);
}

bool CSdrLink::DeviceNotFoundReported() const
{
    return TheCoreProcessState().deviceNotFoundReported;
}

void CSdrLink::ReportDeviceNotFound()
{
    if (TheCoreProcessState().deviceNotFoundReported.exchange(true))
        return;
    kplatform::ShowMessage(kCaption, kDeviceNotFoundText, kplatform::MessageIcon::Error);
}

void CSdrLink::SetBackend(std::shared_ptr<IIioBackend> backend)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    TearDownLocked(0, false);
    m_backend = backend ? std::move(backend) : std::make_shared<CLibIioBackend>();
}

void CSdrLink::SetClock(std::function<uint64_t()> clockMs)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_clockMs = clockMs ? std::move(clockMs) : std::function<uint64_t()>(SteadyClockMs);
}

void CSdrLink::ResetForTesting()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    TearDownLocked(0, false);
    m_cores = 0;
    m_attempted = false;
    m_lastAttemptMs = 0;
    TheCoreProcessState().deviceNotFoundReported = false;
    m_backend = std::make_shared<CLibIioBackend>();
    m_clockMs = SteadyClockMs;
}
