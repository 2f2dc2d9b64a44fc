#pragma once

#include <memory>
#include <vector>

#include "dockwindow.h"

class CVectorView;
class QEvent;

namespace Ui
{
class CQVectorWindowClass;
}

// A floating dock that shows the DDC stream's I/Q samples as a vector plot, apart from the DDC
// view's own vector pane. The main window hands it the samples of every DDC tick while it is
// visible; the DDC view forwards its vector options. Settings name "VectorWindow".
class CVectorWindow : public CQDockWindow
{
    Q_OBJECT

public:
    explicit CVectorWindow(QWidget* parent = nullptr);
    ~CVectorWindow() override;

    // I into trace 0 and Q into trace 2 of the view's "Vec" pane.
    void SetData(const std::vector<double>& i, const std::vector<double>& q);
    void SetShowLines(bool on);
    void SetSamples(int n);

    CVectorView* GetView() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    std::unique_ptr<Ui::CQVectorWindowClass> m_ui;
};
