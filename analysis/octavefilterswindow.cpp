#include "octavefilterswindow.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "parameters.h"

namespace
{
constexpr int kRefitDelayMs = 1000;
constexpr int kWidth = 600;
constexpr int kHeight = 400;
constexpr double kNarrowRangeDb = 60.0;
constexpr double kWideRangeDb = 120.0;
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

    setFloating(true);
    setAllowedAreas(Qt::NoDockWidgetArea);
    resize(435, 300);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setSpacing(6);
    layout->setContentsMargins(11, 11, 11, 11);
    m_pDiagramWidget = new CQHistogramWidget(content);
    m_pDiagramWidget->setObjectName(QStringLiteral("m_pDiagramWidget"));
    m_pDiagramWidget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(m_pDiagramWidget, 1);

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    m_pTypeLabel = new QLabel(content);
    m_pTypeCombo = new QComboBox(content);
    m_pTypeCombo->setObjectName(QStringLiteral("m_pTypeCombo"));
    m_pTypeCombo->addItems({QString(), QString()});
    m_pTypeCombo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_pAutozeroButton = new QPushButton(content);
    m_pAutozeroButton->setObjectName(QStringLiteral("m_pAutozeroButton"));
    m_pRangeLabel = new QLabel(content);
    m_pRangeCombo = new QComboBox(content);
    m_pRangeCombo->setObjectName(QStringLiteral("m_pRangeCombo"));
    m_pRangeCombo->addItems({QString(), QString()});
    row->addWidget(m_pTypeLabel);
    row->addWidget(m_pTypeCombo);
    row->addStretch(1);
    row->addWidget(m_pAutozeroButton);
    row->addWidget(m_pRangeLabel);
    row->addWidget(m_pRangeCombo);
    layout->addLayout(row);
    setWidget(content);
    RetranslateUi();
    setWindowTitle(title);

    connect(m_pAutozeroButton, &QPushButton::clicked, this, &COctaveFiltersWindow::OnAutoZeroButton);
    connect(m_pRangeCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &COctaveFiltersWindow::OnRangeCombo);
    connect(m_pTypeCombo, qOverload<int>(&QComboBox::currentIndexChanged), m_pDiagramWidget,
            &CQHistogramWidget::Reset);

    // The range first: a stored third-octave type then resets a chart that already has its scale.
    m_pRangeCombo->setCurrentIndex(g_Parameters.GetInt(section, QStringLiteral("Range"), 0));
    m_pTypeCombo->setCurrentIndex(g_Parameters.GetInt(section, QStringLiteral("Type"), 0));
}

COctaveFiltersWindow::~COctaveFiltersWindow()
{
    g_Parameters.SetInt(GetSettingsName(), QStringLiteral("Type"), m_pTypeCombo->currentIndex());
    g_Parameters.SetInt(GetSettingsName(), QStringLiteral("Range"), m_pRangeCombo->currentIndex());
}

void COctaveFiltersWindow::RetranslateUi()
{
    setWindowTitle(tr("Octave Filters"));
    m_pTypeLabel->setText(tr("Type"));
    m_pTypeCombo->setItemText(0, tr("octave filters"));
    m_pTypeCombo->setItemText(1, tr("1/3 octave filters"));
    m_pAutozeroButton->setText(tr("Autozero"));
    m_pRangeLabel->setText(tr("Max Range"));
    m_pRangeCombo->setItemText(0, tr("60 dB"));
    m_pRangeCombo->setItemText(1, tr("120 dB"));
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
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    CQDockWindow::changeEvent(event);
}
