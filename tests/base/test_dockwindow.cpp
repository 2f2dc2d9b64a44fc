#include <gtest/gtest.h>

#include <QDomElement>
#include <QMainWindow>
#include <QSignalSpy>
#include <QToolBox>
#include <vector>

#include "docktoolboxwindow.h"
#include "dockwindow.h"
#include "parameters.h"

namespace
{
const QRect kDefaultRect(QPoint(100, 100), QPoint(850, 700));

// Records what reaches an override of setVisible, as the program's docks have them.
class CRecordingDock : public CQDockWindow
{
public:
    using CQDockWindow::CQDockWindow;

    void setVisible(bool visible) override
    {
        m_visibleCalls.push_back(visible);
        CQDockWindow::setVisible(visible);
    }

    std::vector<bool> m_visibleCalls;
};

// A tool-box dock built the way the options window is: the form creates the tool box after the base
// has taken the address of the member.
class CToolBoxDock : public CQDockToolboxWindow
{
public:
    CToolBoxDock(const QString& name, QWidget* parent, int formPage)
        : CQDockToolboxWindow(name, &m_pToolBox, parent)
    {
        m_pToolBox = new QToolBox(this);
        for (int i = 0; i < 4; ++i)
            m_pToolBox->addItem(new QWidget, QStringLiteral("Page %1").arg(i));
        m_pToolBox->setCurrentIndex(formPage);
        setWidget(m_pToolBox);
        connect(m_pToolBox, &QToolBox::currentChanged, this, &CQDockToolboxWindow::OnToolBoxPageChanged);
    }

    QToolBox* m_pToolBox = nullptr;
};

QRect Edges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

class DockWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_mainWindow.resize(1600, 1000);
        m_mainWindow.show();
    }

    // Each case starts from a document without its sections, as on a first start.
    static void RemoveSections(std::initializer_list<const char*> names)
    {
        QDomElement root = g_Parameters.documentElement();
        for (const char* name : names)
        {
            QDomElement section = root.firstChildElement(QString::fromLatin1(name));
            if (!section.isNull())
                root.removeChild(section);
        }
    }

    static void StoreState(const QString& section, const QRect& rect, int floating, int visible)
    {
        g_Parameters.SetInt(section, "Left", rect.left());
        g_Parameters.SetInt(section, "Top", rect.top());
        g_Parameters.SetInt(section, "Right", rect.right());
        g_Parameters.SetInt(section, "Bottom", rect.bottom());
        g_Parameters.SetInt(section, "Floating", floating);
        g_Parameters.SetInt(section, "Visible", visible);
    }

    static QRect StoredRect(const QString& section)
    {
        return Edges(g_Parameters.GetInt(section, "Left", -1), g_Parameters.GetInt(section, "Top", -1),
                     g_Parameters.GetInt(section, "Right", -1), g_Parameters.GetInt(section, "Bottom", -1));
    }

    QMainWindow m_mainWindow;
};
}  // namespace

TEST_F(DockWindowTest, ANewDockGetsTheDefaultRectangleAndRestoresDockedAndHidden)
{
    RemoveSections({"ToolsWindow", "VideoTVWindow", "MonitoringLog", "MonitoringLog2"});
    const struct
    {
        const char* name;
        int index;
        const char* settingsName;
        QRect rect;
    } cases[] = {
        {"ToolsWindow", 0, "ToolsWindow", kDefaultRect},
        {"VideoTVWindow", 0, "VideoTVWindow", Edges(100, 100, 700, 450)},
        {"MonitoringLog", 2, "MonitoringLog2", kDefaultRect},
        {"MonitoringLog", 0, "MonitoringLog", kDefaultRect},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.settingsName);
        CQDockWindow dock(c.name, &m_mainWindow, c.index);
        EXPECT_EQ(dock.GetSettingsName(), c.settingsName);
        EXPECT_EQ(dock.objectName(), c.settingsName);
        EXPECT_TRUE(dock.isHidden());
        EXPECT_EQ(StoredRect(c.settingsName), c.rect);
        EXPECT_FALSE(g_Parameters.HasKey(c.settingsName, "Floating"));
        EXPECT_FALSE(g_Parameters.HasKey(c.settingsName, "Visible"));

        dock.RestoreState();
        EXPECT_FALSE(dock.isFloating());
        EXPECT_FALSE(dock.isVisible());
        EXPECT_EQ(dock.geometry(), c.rect);
    }
}

TEST_F(DockWindowTest, AnExistingSectionIsLeftAsItIs)
{
    RemoveSections({"ArchiveWindow"});
    g_Parameters.SetInt("ArchiveWindow", "Left", 5);

    CQDockWindow dock("ArchiveWindow", &m_mainWindow);
    EXPECT_EQ(g_Parameters.GetInt("ArchiveWindow", "Left", 0), 5);
    EXPECT_FALSE(g_Parameters.HasKey("ArchiveWindow", "Top"));
    EXPECT_FALSE(g_Parameters.HasKey("ArchiveWindow", "Right"));
}

TEST_F(DockWindowTest, SaveThenRestoreGivesBackFloatingStateRectangleAndVisibility)
{
    const struct
    {
        const char* name;
        bool floating;
        bool visible;
        QRect rect;
    } cases[] = {
        {"DockedHidden", false, false, QRect(10, 20, 300, 200)},
        {"DockedShown", false, true, QRect(40, 60, 500, 400)},
        {"FloatingShown", true, true, QRect(200, 150, 420, 310)},
        {"FloatingHidden", true, false, QRect(250, 120, 380, 260)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        RemoveSections({c.name});
        {
            CQDockWindow before(c.name, &m_mainWindow);
            before.setFloating(c.floating);
            before.setGeometry(c.rect);
            before.setVisible(c.visible);
            before.SaveState();
        }
        EXPECT_EQ(g_Parameters.GetInt(c.name, "Floating", -1), c.floating ? 1 : 0);
        EXPECT_EQ(g_Parameters.GetInt(c.name, "Visible", -1), c.visible ? 1 : 0);
        EXPECT_EQ(StoredRect(c.name), c.rect);

        CQDockWindow after(c.name, &m_mainWindow);
        after.RestoreState();
        EXPECT_EQ(after.isFloating(), c.floating);
        EXPECT_EQ(after.isVisible(), c.visible);
        EXPECT_EQ(after.geometry(), c.rect);
    }
}

TEST_F(DockWindowTest, GeneratorAndSpectrumDialogAlwaysRestoreHidden)
{
    const struct
    {
        const char* name;
        QRect expectedRect;
        bool expectedVisible;
    } cases[] = {
        // the generator window has a fixed size of 719 x 652 from its stored corner
        {"ZantigoWindow", Edges(10, 20, 728, 671), false},
        {"SpectrumDialog", Edges(10, 20, 900, 800), false},
        {"PulseLogWindow", Edges(10, 20, 900, 800), true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        RemoveSections({c.name});
        StoreState(c.name, Edges(10, 20, 900, 800), 0, 1);

        CRecordingDock dock(c.name, &m_mainWindow);
        dock.RestoreState();
        EXPECT_EQ(dock.geometry(), c.expectedRect);
        EXPECT_EQ(dock.isVisible(), c.expectedVisible);
        // Hiding goes through the subclass's override, which the windows rely on to stop their work.
        ASSERT_FALSE(dock.m_visibleCalls.empty());
        EXPECT_EQ(dock.m_visibleCalls.back(), c.expectedVisible);
    }
}

TEST_F(DockWindowTest, DefaultGeometryHidesThroughTheOverrideAndLeavesTheSettings)
{
    const struct
    {
        const char* name;
        QRect expectedRect;
    } cases[] = {{"ScanerWindow", kDefaultRect}, {"VideoTVWindow", Edges(100, 100, 700, 450)}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        RemoveSections({c.name});
        StoreState(c.name, QRect(30, 40, 200, 100), 0, 1);

        CRecordingDock dock(c.name, &m_mainWindow);
        dock.RestoreState();
        ASSERT_TRUE(dock.isVisible());

        dock.SetDefaultGeometry();
        EXPECT_EQ(dock.geometry(), c.expectedRect);
        EXPECT_FALSE(dock.isVisible());
        EXPECT_EQ(dock.m_visibleCalls.back(), false);
        EXPECT_EQ(StoredRect(c.name), QRect(30, 40, 200, 100));
        EXPECT_EQ(g_Parameters.GetInt(c.name, "Visible", -1), 1);
    }
}

TEST_F(DockWindowTest, ToolBoxPageIsKeptOnlyWhileTheDockIsShown)
{
    const struct
    {
        const char* what;
        bool shownAtSave;
        int pageAtSave;
        int storedBefore;  // -2: nothing stored before, as on a first start
        int formPage;
        int expectedStored;
        int expectedPage;
    } cases[] = {
        {"first start keeps the form's page", false, 2, -2, 2, -1, 2},
        {"saved while shown", true, 2, 1, 0, 2, 2},
        {"saved while hidden keeps the stored page", false, 3, 1, 0, 1, 1},
        {"stored -1 leaves the form's page", false, 3, -1, 3, -1, 3},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        RemoveSections({"OptionsWindowToolBox"});
        if (c.storedBefore != -2)
            g_Parameters.SetInt("OptionsWindowToolBox", "ToolBoxPos", c.storedBefore);
        {
            CToolBoxDock before("OptionsWindow", &m_mainWindow, 0);
            EXPECT_EQ(before.GetSettingsName(), "OptionsWindowToolBox");
            before.m_pToolBox->setCurrentIndex(c.pageAtSave);
            before.setVisible(c.shownAtSave);
            before.SaveState();
        }
        EXPECT_EQ(g_Parameters.GetInt("OptionsWindowToolBox", "ToolBoxPos", -100), c.expectedStored);

        CToolBoxDock after("OptionsWindow", &m_mainWindow, c.formPage);
        after.RestoreState();
        EXPECT_EQ(after.m_pToolBox->currentIndex(), c.expectedPage);
    }
}

TEST_F(DockWindowTest, ToolBoxDockReportsTheShownPageOrNone)
{
    RemoveSections({"OptionsWindowToolBox"});
    CToolBoxDock dock("OptionsWindow", &m_mainWindow, 1);
    QSignalSpy selection(&dock, &CQDockToolboxWindow::selectionChanged);

    dock.show();
    dock.m_pToolBox->setCurrentIndex(3);
    dock.hide();

    const std::vector<int> expected = {1, 3, -1};
    ASSERT_EQ(selection.count(), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(selection.at(static_cast<int>(i)).at(0).toInt(), expected[i]) << "signal " << i;
}
