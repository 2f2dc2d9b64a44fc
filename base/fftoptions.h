#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;

// The operator-visible names of the FFT averaging modes and window functions. A mode's code is its
// position in the list, so every combo box that offers them must be filled from here: combo index i is
// mode i.
class CFftOptions : public QObject
{
    Q_OBJECT

public:
    CFftOptions();

    // Appends the translated names; called once, after the translators are installed and before any
    // window is built. A second call appends the names again.
    void Init();

    void FillAveragingCombo(QComboBox* combo) const;
    void FillWindowCombo(QComboBox* combo) const;

    // An empty text for a code outside the list: stored codes come from files an operator may edit.
    QString GetAveragingName(int index) const;

    const QStringList& GetAveragingNames() const { return m_averagingNames; }
    const QStringList& GetWindowNames() const { return m_windowNames; }

private:
    QStringList m_averagingNames;
    QStringList m_windowNames;
};
