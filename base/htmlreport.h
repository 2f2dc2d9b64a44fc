#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QSaveFile;

// The web-page reports of the archive, the analysis results, the pulse log and the monitoring log: a
// title, then one table whose first row is the header, every cell centred.
//
//   <html>\r\n<head>\r\n<title>T</title>\r\n</head>\r\n<h1>T</h1>\r\n<table border=1 cellspacing=0>
//   <TR><TD align=middle>cell</TD>...</TR>\r\n ... </table></html>
//
// Text is escaped ("&", "<" and ">") and every character beyond ASCII is written as a numeric
// reference, so a page of plain ASCII text is byte for byte the classic layout, and any other text
// (a Russian title, a comment with markup in it) still reads as typed in every browser.
class CHtmlReport
{
public:
    explicit CHtmlReport(const QString& title);

    // One table row. `firstCellColour` (a colour name such as "#ff0000") gives the first cell that
    // background, as the analysis report marks its results; empty: no colour.
    void AddRow(const QStringList& cells, const QString& firstCellColour = QString());

    QByteArray ToBytes() const;

    // Replaces the file whole or not at all; false, with the reason in *error, when the file cannot be
    // opened or written.
    bool Save(const QString& path, QString* error = nullptr) const;

    // The text of a cell or title as it goes into the page.
    static QByteArray Escape(const QString& text);

    // For tests only: when set, Save calls it with the written file just before committing it, so a
    // test can make the write fail there (QSaveFile::cancelWriting) as a full disk would.
    static void (*s_pBeforeCommit)(QSaveFile& file);

private:
    QByteArray m_title;
    QByteArray m_rows;
};
