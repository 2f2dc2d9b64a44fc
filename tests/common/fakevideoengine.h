#pragma once

// A video engine holding a frame of any size and content, row by row, for the picture widget's tests
// and benchmark. It counts the pixels read, so a test can tell that nothing was painted.

#include <cstdint>
#include <utility>
#include <vector>

#include "ivideoengine.h"

class CFakeVideoEngine : public IVideoEngine
{
public:
    // `values` holds columns x rows grey levels, row after row; empty means all 0.
    CFakeVideoEngine(int columns, int rows, std::vector<int> values = {})
        : m_columns(columns), m_rows(rows), m_values(std::move(values))
    {
    }

    void Enable(bool) override {}
    bool IsEnabled() override { return true; }
    void SetDarkLevel(int) override {}
    int GetDarkLevel() override { return 10; }
    void SetBrightLevel(int) override {}
    int GetBrightLevel() override { return 70; }
    const double* Update() override { return m_status; }
    int32_t GetSyncState() override { return 3; }
    int GetWidth() override { return m_columns; }
    int GetHeight() override { return m_rows; }
    int GetLine(int column, int line) override
    {
        ++m_reads;
        if (m_values.empty() || column < 0 || column >= m_columns || line < 0 || line >= m_rows)
            return 0;
        return m_values[static_cast<size_t>(line) * static_cast<size_t>(m_columns) +
                        static_cast<size_t>(column)];
    }
    void ProcessSample(double) override {}

    int m_reads = 0;

private:
    int m_columns;
    int m_rows;
    std::vector<int> m_values;
    double m_status[kStatusCount] = {};
};
