#pragma once

// The scanning-receiver window and its options dialog on a real library receiver object (its own core,
// so the model table starts empty in every test), with every request the window makes recorded in
// order. The settings sections the two read are put in a known state first.

#include <gtest/gtest.h>

#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "globals.h"
#include "iscaner.h"
#include "parameters.h"
#include "privatecore.h"

class CRecordingScaner : public IScaner
{
public:
    explicit CRecordingScaner(IScaner* real) : m_real(real) {}

    void Attach(ICalcFft* calculator) override { m_real->Attach(calculator); }
    void ResetModels() override
    {
        calls.push_back("ResetModels");
        m_real->ResetModels();
    }
    bool SetModel(int index, const SCANER_MODEL* model) override
    {
        calls.push_back("SetModel " + std::to_string(index));
        return m_real->SetModel(index, model);
    }
    bool GetModel(int index, SCANER_MODEL* model) override { return m_real->GetModel(index, model); }
    void StartFixed(int index) override
    {
        calls.push_back("StartFixed " + std::to_string(index));
        m_real->StartFixed(index);
    }
    void StopControl() override
    {
        calls.push_back("StopControl");
        m_real->StopControl();
    }
    void SetFrequency(double freqMHz) override
    {
        frequencies.push_back(freqMHz);
        m_real->SetFrequency(freqMHz);
    }
    void Disable() override
    {
        calls.push_back("Disable");
        m_real->Disable();
    }
    void Enable() override
    {
        calls.push_back("Enable");
        m_real->Enable();
    }

    SCANER_MODEL Model(int index)
    {
        SCANER_MODEL model;
        EXPECT_TRUE(m_real->GetModel(index, &model)) << "model " << index;
        return model;
    }

    std::vector<std::string> calls;   // every request but tuning and reading, in order
    std::vector<double> frequencies;  // every frequency sent to the receiver, in order

private:
    IScaner* m_real;
};

class ScanerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // The core hands out a new receiver object for each request; it is the caller's.
        m_real.reset(m_core.Get<IScaner>(14));
        ASSERT_NE(m_real, nullptr);
        scaner = std::make_unique<CRecordingScaner>(m_real.get());
        // No stored model groups: every model keeps the factory values unless a test stores one.
        for (int index = 0; index < IScaner::kModelCount; ++index)
            g_Parameters.SetString(Group(index), QStringLiteral("Name"), QString());
        SetIndex(0);
        g_Parameters.SetDouble(QStringLiteral("ScanerWindow"), QStringLiteral("FixedFreq"), 100.0);
    }

    static QString Group(int index) { return QStringLiteral("ScanerChannel%1").arg(index); }
    static void SetIndex(int index)
    {
        g_Parameters.SetInt(QStringLiteral("ScanerWindow"), QStringLiteral("ScanerIndex"), index);
    }
    static int StoredIndex()
    {
        return g_Parameters.GetInt(QStringLiteral("ScanerWindow"), QStringLiteral("ScanerIndex"), -100);
    }

    std::unique_ptr<CRecordingScaner> scaner;

private:
    CPrivateCore m_core;
    std::unique_ptr<IScaner> m_real;
};
