#include "newsignalentrydialog.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>

#include "archivegroupcombo.h"
#include "parameters.h"
#include "prompt.h"
#include "ui_newsignalentrydialog.h"

namespace
{
const QString kSoundFolderKey = QStringLiteral("NewSignalEntryDialog/SoundFolder");
}  // namespace

CNewSignalEntryDialog::CNewSignalEntryDialog(int nPane, QWidget* parent, ISignalsArchive* archive)
    : QDialog(parent), m_ui(std::make_unique<Ui::CNewSignalEntryDialog>())
{
    m_ui->setupUi(this);

    FillArchiveGroupCombo(m_ui->m_pGroupCombo, archive);

    if (nPane >= 0 && nPane <= 2)
    {
        // The pane is the caller's; it cannot be changed here.
        m_ui->m_pImageCombo->setCurrentIndex(nPane);
        m_ui->m_pImageCombo->setEnabled(false);
    }
    else
    {
        for (QWidget* widget : std::initializer_list<QWidget*>{
                 m_ui->m_pImageCheck, m_ui->m_pImageCombo, m_ui->m_pSoundRecordingCheck,
                 m_ui->m_pStopSoundRecordCheck, m_ui->m_pStopSoundRecordSpin, m_ui->m_pStopSoundRecordCombo,
                 m_ui->label_5, m_ui->m_pSoundRecordingPathEdit, m_ui->m_pSoundRecordingBrowseButton,
                 m_ui->m_pTimeAvailableLabel})
            widget->hide();
    }

    connect(m_ui->m_pSoundRecordingBrowseButton, &QPushButton::clicked, this,
            &CNewSignalEntryDialog::OnSoundRecordingBrowseButton);
    connect(m_ui->m_pStopSoundRecordSpin, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &CNewSignalEntryDialog::OnStopSoundRecordSpin);

    // A signal recording is never offered here.
    for (QWidget* widget : std::initializer_list<QWidget*>{
             m_ui->m_pSignalRecordingCheck, m_ui->m_pStopSignalRecordCheck, m_ui->m_pStopSignalRecordSpin,
             m_ui->m_pStopSignalRecordCombo, m_ui->label, m_ui->m_pSignalRecordingPathEdit,
             m_ui->m_pSignalRecordingBrowseButton})
        widget->hide();
    adjustSize();
}

CNewSignalEntryDialog::~CNewSignalEntryDialog() = default;

int CNewSignalEntryDialog::StopSeconds(int value, int unitRow)
{
    static const int factors[] = {1, 60, 3600};
    return unitRow >= 0 && unitRow < 3 ? value * factors[unitRow] : value;
}

void CNewSignalEntryDialog::OnSoundRecordingBrowseButton()
{
    QSettings settings(g_Parameters.FilePath(), QSettings::IniFormat);
    const QString folder =
        settings.value(kSoundFolderKey, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .toString();
    const QString path =
        Prompt().GetSaveFileName(this, tr("Save Recording As"), folder, tr("Recording files (*.rec)"));
    if (path.isEmpty())
        return;
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0)
        settings.setValue(kSoundFolderKey, path.left(slash + 1));
    m_ui->m_pSoundRecordingPathEdit->setText(path);
    m_ui->m_pSoundRecordingCheck->setChecked(true);
}

void CNewSignalEntryDialog::OnStopSoundRecordSpin()
{
    m_ui->m_pStopSoundRecordCheck->setChecked(true);
}

void CNewSignalEntryDialog::accept()
{
    m_nGroup = m_ui->m_pGroupCombo->currentData().toInt();
    m_strComment = m_ui->m_pCommentEdit->text();
    m_bImage = m_ui->m_pImageCheck->isChecked();
    m_nPane = m_ui->m_pImageCombo->currentIndex();
    m_SignalRecording = SIGNAL_RECORDING_PARAMS();

    m_SoundRecording.bRecord = m_ui->m_pSoundRecordingCheck->isChecked();
    if (m_SoundRecording.bRecord && m_ui->m_pSoundRecordingPathEdit->text().isEmpty())
    {
        Prompt().Critical(this, QCoreApplication::applicationName(),
                          tr("You should specify the path for the sound recording!"));
        return;
    }
    m_SoundRecording.nStopSeconds = m_ui->m_pStopSoundRecordCheck->isChecked()
                                        ? StopSeconds(m_ui->m_pStopSoundRecordSpin->value(),
                                                      m_ui->m_pStopSoundRecordCombo->currentIndex())
                                        : 0;
    m_SoundRecording.strPath = m_ui->m_pSoundRecordingPathEdit->text();
    QDialog::accept();
}
