#pragma once

// A real library core whose generator calls are recorded: every block handed to
// SendGeneratorParams is kept, and the result of the send is chosen by the test.

#include <array>
#include <vector>

#include "forwardingcore.h"

class CGeneratorCore : public CForwardingCore
{
public:
    std::vector<std::array<uint8_t, sizeof(GENERATOR_PARAMS)>> sent;
    bool sendResult = true;

    bool SendGeneratorParams(const uint8_t* block) override
    {
        std::array<uint8_t, sizeof(GENERATOR_PARAMS)> copy{};
        std::copy(block, block + copy.size(), copy.begin());
        sent.push_back(copy);
        return sendResult;
    }
};
