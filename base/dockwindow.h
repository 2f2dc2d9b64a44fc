#pragma once

#include <QDockWidget>
#include <QRect>
#include <QString>

// Base of every dock window: it keeps the dock's floating state, visibility and rectangle in the
// settings document, in a section named after the dock. The owner restores the state after building
// the dock, saves it when closing, and asks for the default geometry on a settings reset.
class CQDockWindow : public QDockWidget
{
public:
    // The settings name is `name`, followed by `index` in decimal when it is not 0 (several docks of one
    // kind). The dock starts hidden; a new section gets the default rectangle.
    explicit CQDockWindow(const QString& name, QWidget* parent = nullptr, int index = 0);
    ~CQDockWindow() override;

    // Subclasses override it in turn; the state operations call it through the virtual table.
    void setVisible(bool visible) override;

    void RestoreState();
    void SaveState();

    // The default rectangle, hidden; the settings document is left alone.
    void SetDefaultGeometry();

    const QString& GetSettingsName() const { return m_settingsName; }

    static QRect DefaultGeometry(const QString& settingsName);

private:
    QString m_settingsName;
};
