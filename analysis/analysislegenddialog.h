#pragma once

#include <QColor>
#include <QDialog>

#include <memory>

namespace Ui
{
class CAnalysisLegendDialogClass;
}

// "Legend": what the three colours of the analysis results' frequency cells mean. The caller sets the
// colours before running it.
class CAnalysisLegendDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CAnalysisLegendDialog(QWidget* parent = nullptr);
    ~CAnalysisLegendDialog() override;

    // The frames' style for a colour.
    static QString FrameStyle(const QColor& color);

    Ui::CAnalysisLegendDialogClass& Form() { return *m_ui; }

    QColor m_UnchangedColor;
    QColor m_NewColor;
    QColor m_DeleteColor;

public slots:
    // Colours the frames, then runs the dialog modally.
    int exec() override;

private:
    std::unique_ptr<Ui::CAnalysisLegendDialogClass> m_ui;
};
