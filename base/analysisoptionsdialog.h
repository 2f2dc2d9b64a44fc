#pragma once

#include <QDialog>

#include <memory>

class IAnalysis;

namespace Ui
{
class CAnalysisOptionsDialogClass;
}

// "Analysis Options": the threshold of the library's full-range analysis. Every Apply pushes the values
// to the library, keeps them in the settings document (section "Analysis") and says so by
// applyPressed(); the dialog stays open until its title bar closes it. Mode 0 (the analysis window)
// offers the absolute and the averaged threshold, any other mode (the monitoring window passes 1) the
// averaged one only. Hysteresis, merging and the threshold line are not shown: their stored values are
// carried through each Apply unchanged.
class CAnalysisOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    // `analysis` receives the values; the device thread's analysis when null.
    CAnalysisOptionsDialog(int mode, QWidget* parent = nullptr, IAnalysis* analysis = nullptr);
    ~CAnalysisOptionsDialog() override;

    Ui::CAnalysisOptionsDialogClass& Form() { return *m_ui; }

    // The region that goes to the library with the parameters. It belongs to the known-frequency
    // ranges window, which keeps it as a plain key of the settings file.
    static int StoredRegion();

signals:
    void applyPressed();

public slots:
    // Loads the stored values into the form, then runs the dialog modally.
    int exec() override;
    void OnApplyButton();

private:
    void Load();

    int m_nMode = 0;
    int m_nType = 0;
    double m_dValue1 = 0.0;
    double m_dValue2 = 0.0;
    int m_nAveraging = 0;
    bool m_bShowThreshold = false;
    bool m_bUseHysteresis = false;
    double m_dHysteresis = 0.0;
    bool m_bMerge = false;
    std::unique_ptr<Ui::CAnalysisOptionsDialogClass> m_ui;
    IAnalysis* m_pAnalysis = nullptr;
};
