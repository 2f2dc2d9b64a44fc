#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "iiobackend.h"

// The stream settings of one direction, as the core keeps them (one record for receive, one for
// transmit) and the link writes them to the transceiver.
struct SDR_STREAM_CONFIG
{
    int64_t hardwareGainDb = 0;
    int64_t bandwidthHz = 0;
    int64_t sampleRateHz = 0;
    int64_t loHz = 0;
    std::string rfPort;
    // Receive only.
    std::string gainControlMode;
    // Transmit only: 0 powered up, 1 powered down.
    int64_t powerDown = 0;
    uint8_t flag = 0;
};

// The SDR link: one libiio context, its streaming devices and channels and one receive and one
// transmit buffer, once per process and shared by every core. Cores attach at construction and detach
// at destruction; the last one to leave shuts the link down, so a second core (the recording viewer
// makes one) never pulls the link from under the live core. A link whose start-up stopped half way is
// dropped, and the next Start tries again, at most once a second.
//
// The receive calls belong to the device thread and the transmit calls to the generator (the GUI
// thread). Every call that touches a handle holds the link's lock, so a shutdown from either thread
// never frees what the other is using; only the views that RxSamples and TxSamples hand out live
// outside it.
class CSdrLink
{
public:
    static constexpr int kReceive = 0;
    static constexpr int kTransmit = 1;

    // Start results.
    static constexpr int kStarted = 0;
    static constexpr int kContextFailed = 1;
    static constexpr int kAlreadyStarted = 2;
    // The context came up but a device, the receive configuration or a streaming channel did not; the
    // context has been dropped again.
    static constexpr int kIncomplete = 3;
    // The last attempt to create a context was less than kRetryIntervalMs ago; nothing was tried.
    static constexpr int kRetryLater = 4;

    static constexpr uint64_t kRetryIntervalMs = 1000;
    // The transceiver tunes no higher.
    static constexpr int64_t kMaxLoHz = 6000000000LL;

    static constexpr const char* kCaption = "Delvane Veltrano";
    static constexpr const char* kDeviceNotFoundText =
        "The Delvane device not found!!!\nCheck teh USB connection and (or) the 'IP Address' section in the "
        "Tools->Preference of the Main Menu!";

    // Names on the transceiver.
    static constexpr const char* kPhyDevice = "ad9361-phy";
    static constexpr const char* kRxDevice = "cf-ad9361-lpc";
    static constexpr const char* kTxDevice = "cf-ad9361-dds-core-lpc";

    // One I/Q sample stream in a buffer: I of the first sample at first, its Q at first + qOffset, the
    // next sample step bytes further on, up to end. Empty (all null) without a buffer.
    struct SampleView
    {
        uint8_t* first = nullptr;
        ptrdiff_t qOffset = 0;
        ptrdiff_t step = 0;
        uint8_t* end = nullptr;

        size_t Count() const
        {
            return step > 0 && end > first ? static_cast<size_t>((end - first) / step) : 0;
        }
    };

    static CSdrLink& Instance();

    // The URI to open: KELTHAR_SDR_URI when that variable is set, else the configured one.
    static std::string ResolveUri(const std::string& configured);

    // --- Cores ---
    void AttachCore();
    // The last core to detach shuts the link down silently.
    void DetachCore();
    int CoreCount() const;

    // --- Start-up and shutdown ---

    // Brings the link up for receiving. The initial receive settings and the transmit power-down are
    // written into rx and tx first; then the context is created from ResolveUri(uri), the receive
    // streaming device found, the receive direction configured and the receive I/Q channels found and
    // enabled. Returns one of the Start results. A failed context creation shows the device-not-found
    // message once per process.
    int Start(const std::string& uri, SDR_STREAM_CONFIG& rx, SDR_STREAM_CONFIG& tx);
    // A context exists and the receive stream is ready.
    bool IsUsable() const { return m_usable.load(); }

    // Destroys the buffers, disables the streaming channels and destroys the context, and forgets every
    // handle so that a later Start builds the link again. A non-zero code shows "shutdown: <code>" and
    // the device-not-found message, once per process.
    void Shutdown(int code);

    // --- Stream settings ---

    // Writes the settings of a direction to the transceiver, in this order: "rf_port_select",
    // "gain_control_mode" (receive only), "rf_bandwidth", "hardwaregain", "sampling_frequency",
    // "frequency" on the LO channel, "powerdown" (transmit only). False when a channel is missing; a
    // failed write is reported and the writes go on.
    bool Configure(const SDR_STREAM_CONFIG& config, int direction);
    // "voltage0" of the PHY device: input for receive, output for transmit.
    bool FindPhyChannel(int direction, IioChannel** channel);
    // The LO output channel of the PHY device: "altvoltage0" for receive, "altvoltage1" for transmit.
    bool FindLoChannel(int direction, IioChannel** channel);
    // Tunes a direction's LO ("frequency" on its LO channel). False without a context or the channel, or
    // when the write fails (reported as by Configure).
    bool WriteLo(int direction, int64_t loHz);
    // A 64-bit attribute write; a failure shows "wr_ch_lli: <value>" and then the device-not-found
    // message, both only while the device-not-found message has not yet been shown in this process.
    bool WriteLongLong(IioChannel* channel, const char* attr, int64_t value);

    // --- Receive stream (device thread) ---

    // Destroys the receive buffer and creates one of the given number of samples. False without a usable
    // link or when the creation fails (the link then has no receive buffer).
    bool RecreateRxBuffer(size_t samples);
    // Samples of the current receive buffer; 0 when there is none.
    size_t RxBufferSamples() const { return m_rxBufferSamples; }
    // Fills the receive buffer from the device: the bytes read, or -errno (-ENOENT without a buffer).
    ssize_t RefillRx();
    // The samples of the last refill. The view is valid until the next RecreateRxBuffer, RefillRx or
    // Shutdown; VisitRxSamples holds the link's lock meanwhile, so that a shutdown from the generator's
    // thread waits for the visit to end.
    SampleView RxSamples();
    void VisitRxSamples(const std::function<void(const SampleView&)>& visit);
    // Copies up to maxSamples samples of the receive buffer to dest as I then Q, int16 little-endian,
    // 4 bytes a sample, and returns how many it copied.
    size_t CopyRxSamples(uint8_t* dest, size_t maxSamples);

    // --- Transmit stream (generator) ---

    // Once per link: the transmit settings become the generator's start values (gain -89, bandwidth
    // 8 MHz, sampling 2.5 MHz, LO 6 GHz, port "A", powered down), the transmit streaming device is found,
    // the transmit direction configured and the transmit I/Q channels found and enabled. Later calls
    // return the first call's result.
    bool StartTransmitter(SDR_STREAM_CONFIG& tx);
    bool IsTransmitterStarted() const;
    // Destroys the transmit buffer and creates a cyclic one; a null result leaves the cause in errno.
    bool RecreateTxBuffer(size_t samples);
    SampleView TxSamples();
    // Bytes pushed, or -errno (-ENOENT without a buffer).
    ssize_t PushTx();

    // --- Once-per-process message ---

    bool DeviceNotFoundReported() const;
    // Shows the device-not-found message unless it was shown before in this process.
    void ReportDeviceNotFound();

    // --- For tests and benchmarks (never called by the program) ---

    // Installs another backend (null restores libiio). Only while the link is down.
    void SetBackend(std::shared_ptr<IIioBackend> backend);
    // The clock of the retry interval, in milliseconds (null restores the steady clock).
    void SetClock(std::function<uint64_t()> clockMs);
    // Silent shutdown, no cores, no retry pending, the once-per-process flags cleared, libiio and the
    // steady clock back in place.
    void ResetForTesting();

private:
    CSdrLink();

    // Tears everything down; traces and messages as Shutdown when loud.
    void TearDownLocked(int code, bool loud);
    bool ConfigureLocked(const SDR_STREAM_CONFIG& config, int direction);
    bool FindChannelLocked(int direction, bool lo, IioChannel** channel);
    bool FindStreamChannels(IioDevice* device, bool output, IioChannel** i, IioChannel** q);
    SampleView ViewOf(IioBuffer* buffer, IioChannel* i, IioChannel* q);

    mutable std::mutex m_mutex;
    std::shared_ptr<IIioBackend> m_backend;
    std::function<uint64_t()> m_clockMs;

    int m_cores = 0;
    bool m_attempted = false;
    uint64_t m_lastAttemptMs = 0;
    std::atomic<bool> m_usable{false};
    bool m_txStartResult = false;

    IioContext* m_context = nullptr;
    IioDevice* m_rxDevice = nullptr;
    IioDevice* m_txDevice = nullptr;
    IioChannel* m_rxI = nullptr;
    IioChannel* m_rxQ = nullptr;
    IioChannel* m_txI = nullptr;
    IioChannel* m_txQ = nullptr;
    IioBuffer* m_rxBuffer = nullptr;
    IioBuffer* m_txBuffer = nullptr;
    size_t m_rxBufferSamples = 0;
    size_t m_txBufferSamples = 0;
};
