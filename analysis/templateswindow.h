#pragma once

#include <vector>

#include "archivesignalentry.h"
#include "dockwindow.h"
#include "ui_templateswindow.h"

class CInputRangeDialog;
class ITemplates;
class QTreeWidgetItem;

// The floating "Templates Window": the operator's spectrum templates, kept in the library's templates
// object (at most 14), which the analysis and the range view read. Named templates come from template
// files and are switched by their check boxes; ranges typed in or taken from the archive collect in the
// unnamed template, whose ranges stand at the top level of the tree. The window keeps no copy: it
// rebuilds the tree from the library after every change and reports whether any template is on.
class CTemplatesWindow : public CQDockWindow
{
    Q_OBJECT

    Ui::CTemplatesWindow ui{};

public:
    static constexpr int kMaxTemplates = 14;

    explicit CTemplatesWindow(QWidget* parent = nullptr);
    ~CTemplatesWindow() override;

    // Rebuilds the tree from the library.
    void FillTree();

    // The margin by which a range `widthMHz` wide is widened on each side when taken from the archive.
    static double WideningMargin(double widthMHz);

    const Ui::CTemplatesWindow& Form() const { return ui; }

signals:
    void templateActivated(bool active);

public slots:
    // Reports whether any template is on (and writes it under the channel's key).
    void OnChangedParams();
    void OnLoadButton();
    void OnSaveButton();
    void OnAddButton();
    void OnEditButton();
    void OnDeleteButton();
    void OnClearButton();
    void OnFromArchiveButton();
    void OnTreeWidgetItemClicked(QTreeWidgetItem* item, int column);
    // The archive's groups changed: the tree is rebuilt from the library.
    void OnRefreshGroups();

protected:
    void changeEvent(QEvent* event) override;

private:
    static ITemplates* Templates();
    // The range dialog of "Add..." and "Edit..." in the unit of the current input.
    void SetUpRangeDialog(CInputRangeDialog& dialog) const;
    // The library index of the template a range row belongs to.
    static int TemplateOfRange(const QTreeWidgetItem* row);
    // Appends the ranges to the unnamed template and switches it on; refused with the operator told
    // when the library holds its 14 templates already, and then nothing changes.
    bool AddToUnnamedTemplate(const std::vector<ARCHIVE_SIGNAL_ENTRY>& ranges);
    void WarnTooManyTemplates();
    // The folder of the template files, as last chosen.
    static QString TemplatesFolder();
    static void StoreTemplatesFolder(const QString& path);
};
