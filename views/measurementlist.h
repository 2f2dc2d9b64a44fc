#pragma once

#include <QString>
#include <QVector>

// One row of a measurements window: a fixed id ("FreqMax"; "Sep1" to "Sep6" are headings), the
// translated title, the formatted value (empty until a view sets it) and whether the row is shown.
struct MeasurementItem
{
    QString id;
    QString title;
    QString value;
    bool visible = true;
};

// The rows of one kind of displayed data, in insertion order. Whether a row is shown is kept in the
// settings section "Measurements" under prefix + id + "Visible" (list "Spectrum", row "FreqMax":
// "SpectrumFreqMaxVisible"), so the windows of all views share the choice.
class MeasurementList
{
public:
    // Appends a row unless one with this id exists (false then, and nothing changes). Its visibility
    // is read from the settings; a row without a stored choice is shown.
    bool Add(const QString& id, const QString& title, const QString& value);
    int IndexOf(const QString& id) const;
    int Count() const { return m_items.size(); }
    int VisibleCount() const;

    // Empty texts and false for an index that is not a row.
    QString GetId(int i) const;
    QString GetTitle(int i) const;
    QString GetValue(int i) const;
    bool IsVisible(int i) const;

    // False, and nothing changed, when no row has this id.
    bool SetValue(const QString& id, const QString& value);
    // Stores the choice in the row and in the settings.
    void SetVisible(int i, bool on);

    void SetPrefix(const QString& prefix) { m_prefix = prefix; }
    const QString& GetPrefix() const { return m_prefix; }
    void Clear() { m_items.clear(); }

    static QString SettingsSection();
    QString VisibleKey(const QString& id) const;

private:
    bool IsIndex(int i) const { return i >= 0 && i < m_items.size(); }

    QVector<MeasurementItem> m_items;
    QString m_prefix;
};
