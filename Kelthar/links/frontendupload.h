#pragma once

#include <string>

class CSerial;

// The program the library types into the front-end unit's interpreter before it commands the unit:
// the latch and synthesizer functions, the synthesizer's register list and its settings per output
// frequency, and the pin set-up. It goes out in five chunks, each one write, and the interpreter's
// echo of each chunk has a known length.
//
// The text follows the interpreter's line editor: every line ends with a carriage return, a chunk
// that starts with the interrupt byte first stops whatever runs, lines carry no indentation (the
// editor indents after a line that opens a block) and a line holding only a backspace closes one
// block level.
class CFrontEndUpload
{
public:
    static constexpr int kChunkCount = 5;
    // Results of one chunk, as packed into the start-up's error code.
    static constexpr int kEchoAsExpected = 0;
    static constexpr int kNoEcho = 1;
    static constexpr int kWrongEcho = 2;

    // The bytes of chunk 0..4, as written to the port; empty for any other index.
    static std::string Chunk(int index);
    // The length in bytes of the interpreter's echo of the chunk; 0 for any other index.
    static int EchoLength(int index);
    // Sends the chunks in order, each after draining the port, and reads each echo (at most 2048
    // bytes, giving up after 200 ms of silence). Returns the chunk results two bits each, the first
    // chunk in the highest bits.
    static int Send(CSerial& serial);
};
