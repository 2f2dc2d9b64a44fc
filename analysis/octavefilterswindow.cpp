#include "octavefilterswindow.h"

#include <QComboBox>
#include <QEvent>
#include <QPushButton>
#include <QTimer>

#include "parameters.h"

namespace
{
constexpr int kRefitDelayMs = 1000;
constexpr int kWidth = 600;
constexpr int kHeight = 400;
constexpr double kNarrowRangeDb = 60.0;
constexpr double kWideRangeDb = 120.0;

// A stored index the combo does not have (a hand-edited file) counts as the first item.
int StoredIndex(const QString& section, const QString& key)
{
    const int index = g_Parameters.GetInt(section, key, 0);
    return index == 0 || index == 1 ? index : 0;
}
}  // namespace

COctaveFiltersWindow::COctaveFiltersWindow(const QString& title, const QString& settingsName, QWidget* parent)
    : CQDockWindow(settingsName, parent)
{
    // The stored position stays; the size is the window's own on every start.
    const QString& section = GetSettingsName();
    g_Parameters.SetInt(section, QStringLiteral("Right"),
                        g_Parameters.GetInt(section, QStringLiteral("Left"), 0) + kWidth);
    g_Parameters.SetInt(section, QStringLiteral("Bottom"),
                        g_Parameters.GetInt(section, QStringLiteral("Top"), 0) + kHeight);

    // The dock keeps its settings name as its object name; the form leaves a named dock alone.
    ui.setupUi(this);
    m_pDiagramWidget = ui.m_pDiagramWidget;
    m_pTypeCombo = ui.m_pTypeCombo;
    m_pRangeCombo = ui.m_pRangeCombo;
    setWindowTitle(title);

    connect(ui.m_pAutozeroButton, &QPushButton::clicked, this, &COctaveFiltersWindow::OnAutoZeroButton);
    connect(m_pRangeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &COctaveFiltersWindow::OnRangeCombo);
    connect(m_pTypeCombo, qOverload<int>(&QComboBox::currentIndexChanged), m_pDiagramWidget,
            &CQHistogramWidget::Reset);

    // The range first: a stored third-octave type then resets a chart that already has its scale.
    m_pRangeCombo->setCurrentIndex(StoredIndex(section, QStringLiteral("Range")));
    m_pTypeCombo->setCurrentIndex(StoredIndex(section, QStringLiteral("Type")));
}

COctaveFiltersWindow::~COctaveFiltersWindow()
{
    g_Parameters.SetInt(GetSettingsName(), QStringLiteral("Type"), m_pTypeCombo->currentIndex());
    g_Parameters.SetInt(GetSettingsName(), QStringLiteral("Range"), m_pRangeCombo->currentIndex());
}

void COctaveFiltersWindow::SetLevels(const std::vector<HISTOGRAM_BAR>& levels)
{
    if (&levels != &m_pDiagramWidget->m_Bars)
        m_pDiagramWidget->m_Bars = levels;
}

void COctaveFiltersWindow::setVisible(bool visible)
{
    // Opened or closed, the scale is fitted once to the levels of a second later.
    QTimer::singleShot(kRefitDelayMs, this, &COctaveFiltersWindow::OnAutoZeroButton);
    CQDockWindow::setVisible(visible);
}

void COctaveFiltersWindow::OnAutoZeroButton()
{
    m_pDiagramWidget->AutoFit();
}

void COctaveFiltersWindow::OnRangeCombo(int index)
{
    m_pDiagramWidget->m_dUpperLevel =
        m_pDiagramWidget->m_dLowerLevel + (index == 0 ? kNarrowRangeDb : kWideRangeDb);
}

void COctaveFiltersWindow::changeEvent(QEvent* event)
{
    // The form's own title "Octave Filters" comes back with the other texts.
    if (event->type() == QEvent::LanguageChange)
        ui.retranslateUi(this);
    CQDockWindow::changeEvent(event);
}
