#pragma once

#include "dockwindow.h"
#include "ui_usermanualwindow.h"

// The user manual: an embedded HTML document per language in a floating dock window, with a
// case-insensitive search over its plain text. The reading position is kept across runs under
// "UserManual"/"TextPos".
class CUserManualWindow : public CQDockWindow
{
    Q_OBJECT

public:
    explicit CUserManualWindow(QWidget* parent = nullptr);
    // Stores the reading position.
    ~CUserManualWindow() override;

    // Loads the manual of the current language and puts the cursor at the stored reading position.
    void LoadManual();

    Ui::CUserManualWindowClass ui;

public slots:
    // Selects the next match after the cursor; an empty text searches for the search box's text.
    void OnSearchNext(const QString& text = QString());
    // Selects the nearest match before the cursor, for the search box's text.
    void OnSearchPrev();

protected:
    void changeEvent(QEvent* event) override;

private:
    // Selects from `position` up to the next blank of the plain text; with no blank after it only
    // the cursor moves there.
    void SelectFrom(const QString& plainText, int position);
};
