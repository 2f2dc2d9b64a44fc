#include "preferenceswindow.h"

#include <QCheckBox>
#include <QColor>
#include <QEvent>
#include <QPushButton>

#include "devicethread.h"
#include "globals.h"
#include "parameters.h"
#include "prompt.h"

namespace
{
const QString kColors = QStringLiteral("Colors");
const QString kSdr = QStringLiteral("PlutoSDR");
const QString kSelection = QStringLiteral("IP_Selection");
const QString kAddress = QStringLiteral("IP_Address");

// The middle part of the form's names: "m_p" + element + "Check" / "ColorWidget" / "ChooseButton".
// The keys are "Custom" + element (the switch) and "Custom" + element + "Color" (the colour).
const char* const kElements[] = {"Background", "Spectrum",    "Osc1",          "Osc2",         "MainCursor",
                                 "Bandwidth",  "DeltaCursor", "PositionLines", "ThresholdLine"};

const QString kNamePrefix = QStringLiteral("m_p");
const QString kChooseSuffix = QStringLiteral("ChooseButton");

QString SwitchKey(const QString& element)
{
    return QStringLiteral("Custom") + element;
}

QString ColorKey(const QString& element)
{
    return SwitchKey(element) + QStringLiteral("Color");
}

QString SwatchStyleSheet(const QColor& color)
{
    return QStringLiteral("QWidget { background: %1 }").arg(color.name());
}
}  // namespace

CPreferencesWindow::CPreferencesWindow(QWidget* parent) : QDialog(parent)
{
    ui.setupUi(this);
    ShowDefaultAddress();

    for (const char* element : kElements)
    {
        const QString name = QLatin1String(element);
        if (auto* check = findChild<QCheckBox*>(kNamePrefix + name + QStringLiteral("Check")))
            check->setChecked(g_Parameters.GetInt(kColors, SwitchKey(name), 0) != 0);
        if (auto* swatch = findChild<QWidget*>(kNamePrefix + name + QStringLiteral("ColorWidget")))
            swatch->setStyleSheet(GetColorStyleSheet(ColorKey(name)));
        if (auto* button = findChild<QPushButton*>(kNamePrefix + name + kChooseSuffix))
            connect(button, &QPushButton::clicked, this, &CPreferencesWindow::OnChooseButton);
    }

    if (g_Parameters.GetInt(kSdr, kSelection, 0) == 0)
        ui.m_pIP_RadioButton_0->setChecked(true);
    else
        ui.m_pIP_RadioButton_1->setChecked(true);
    ui.m_pIP_AddressEdit->setText(g_Parameters.GetString(kSdr, kAddress, QString()));

    // The library's folder, which is the one in use; the document's key may say otherwise.
    if (g_DeviceThread.m_pArchive)
        ui.m_pFolderEdit->setText(QString::fromStdWString(g_DeviceThread.m_pArchive->GetFolder()));

    connect(ui.m_pBrowseButton, &QPushButton::clicked, this, &CPreferencesWindow::OnBrowseButton);
    connect(ui.m_pApplyButton, &QPushButton::clicked, this, &CPreferencesWindow::OnApplyButton);
    connect(ui.m_pCloseButton, &QPushButton::clicked, this, &QDialog::close);
}

QString CPreferencesWindow::GetColorStyleSheet(const QString& key)
{
    return SwatchStyleSheet(QColor::fromRgba(g_Parameters.GetUInt(kColors, key, 0)));
}

void CPreferencesWindow::OnChooseButton()
{
    const QObject* button = sender();
    if (!button)
        return;
    const QString name = button->objectName();
    if (name.size() <= kNamePrefix.size() + kChooseSuffix.size() || !name.startsWith(kNamePrefix) ||
        !name.endsWith(kChooseSuffix))
        return;
    const QString element =
        name.mid(kNamePrefix.size(), name.size() - kNamePrefix.size() - kChooseSuffix.size());
    const QString key = ColorKey(element);

    const QColor chosen =
        Prompt().GetColor(QColor::fromRgba(g_Parameters.GetUInt(kColors, key, 0)), this, QString());
    // Cancel answers with an invalid colour; taking it would overwrite the operator's colour with black.
    if (!chosen.isValid())
        return;

    if (auto* swatch = findChild<QWidget*>(kNamePrefix + element + QStringLiteral("ColorWidget")))
        swatch->setStyleSheet(SwatchStyleSheet(chosen));
    // rgb() is the colour with alpha 255.
    g_Parameters.SetUInt(kColors, key, chosen.rgb());
}

void CPreferencesWindow::OnBrowseButton()
{
    const QString folder =
        Prompt().GetExistingDirectory(this, tr("Archive Folder"), ui.m_pFolderEdit->text());
    if (!folder.isEmpty())
        ui.m_pFolderEdit->setText(folder);
}

void CPreferencesWindow::OnApplyButton()
{
    for (const char* element : kElements)
    {
        const QString name = QLatin1String(element);
        if (const auto* check = findChild<QCheckBox*>(kNamePrefix + name + QStringLiteral("Check")))
            g_Parameters.SetInt(kColors, SwitchKey(name), check->isChecked() ? 1 : 0);
    }
    g_Parameters.SetInt(kSdr, kSelection, ui.m_pIP_RadioButton_1->isChecked() ? 1 : 0);
    g_Parameters.SetString(kSdr, kAddress, ui.m_pIP_AddressEdit->text());
    emit colorsChanged();

    const QString folder = ui.m_pFolderEdit->text();
    if (g_DeviceThread.m_pArchive)
        g_DeviceThread.m_pArchive->SetFolder(folder.toStdWString());
    g_Parameters.SetString(QStringLiteral("Preferences"), QStringLiteral("ArchiveFolder"), folder);
}

void CPreferencesWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
    {
        ui.retranslateUi(this);
        ShowDefaultAddress();
    }
    QDialog::changeEvent(event);
}

void CPreferencesWindow::ShowDefaultAddress()
{
    ui.m_pIP_RadioButton_0->setText(ui.m_pIP_RadioButton_0->text().arg(CDeviceThread::DefaultSdrAddress()));
}
