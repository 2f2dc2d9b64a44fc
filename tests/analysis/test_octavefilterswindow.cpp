#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>

#include "octavefilterswindow.h"
#include "parameters.h"

// The octave filters window's form. Each test runs in its own process on a fresh settings document.

TEST(OctaveFiltersWindow, FormHasEveryObjectNameAndTheChartAloneInItsLayout)
{
    COctaveFiltersWindow window(QStringLiteral("Full Range Octave Filters"),
                                QStringLiteral("OctaveFilters1"));
    for (const char* name :
         {"m_pDiagramWidget", "label", "m_pTypeCombo", "m_pAutozeroButton", "label_2", "m_pRangeCombo"})
        EXPECT_NE(window.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    const Ui::COctaveFiltersWindow& ui = window.Form();
    EXPECT_EQ(ui.label->text(), QStringLiteral("Type"));
    EXPECT_EQ(ui.label_2->text(), QStringLiteral("Max Range"));
    EXPECT_EQ(ui.m_pAutozeroButton->text(), QStringLiteral("Autozero"));
    ASSERT_EQ(ui.m_pTypeCombo->count(), 2);
    EXPECT_EQ(ui.m_pTypeCombo->itemText(1), QStringLiteral("1/3 octave filters"));
    ASSERT_EQ(ui.m_pRangeCombo->count(), 2);
    EXPECT_EQ(ui.m_pRangeCombo->itemText(1), QStringLiteral("120 dB"));
    EXPECT_EQ(ui.m_pTypeCombo->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);

    // The chart sits alone in an inner layout without spacing.
    QLayout* inner = nullptr;
    for (QLayout* layout : window.findChildren<QLayout*>())
        if (layout->indexOf(ui.m_pDiagramWidget) >= 0)
            inner = layout;
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->count(), 1);
    EXPECT_EQ(inner->spacing(), 0);
    EXPECT_NE(inner, window.widget()->layout());

    // The main window's title goes until the language changes; then the form's own comes back.
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Full Range Octave Filters"));
    ui.m_pTypeCombo->setCurrentIndex(1);
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&window, &change);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Octave Filters"));
    EXPECT_EQ(ui.m_pTypeCombo->currentIndex(), 1);
    EXPECT_EQ(ui.m_pTypeCombo->itemText(0), QStringLiteral("octave filters"));
}
