#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The core's byte-stream connection to the FPGA board. It also keeps the device state that the
// program's device thread steps on: 0 idle, 1 initialise, 2 settle, 3 running.
class IConnection
{
public:
    virtual ~IConnection() = default;
    virtual bool Open(std::string description, int latency, int usbTransferSize) = 0;
    virtual void Close() = 0;
    virtual int GetState() = 0;
    virtual void SetState(int state) = 0;
    virtual void Purge() = 0;
    // Results of Read and Write: 0 complete, 1 short transfer or entry point missing, 2 the driver call
    // failed, 3 (Read only) the state is 0.
    virtual int Read(std::vector<uint8_t>& buffer, uint32_t count) = 0;
    virtual int Write(const std::vector<uint8_t>& buffer) = 0;
};
