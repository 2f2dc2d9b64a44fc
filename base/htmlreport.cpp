#include "htmlreport.h"

#include <QSaveFile>
#include <QVector>

void (*CHtmlReport::s_pBeforeCommit)(QSaveFile& file) = nullptr;

CHtmlReport::CHtmlReport(const QString& title) : m_title(Escape(title))
{
}

QByteArray CHtmlReport::Escape(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const uint code : text.toUcs4())
    {
        switch (code)
        {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                if (code < 0x80)
                    out += char(code);
                else
                    out += "&#" + QByteArray::number(code) + ';';
        }
    }
    return out;
}

void CHtmlReport::AddRow(const QStringList& cells, const QString& firstCellColour)
{
    m_rows += "<TR>";
    for (int i = 0; i < cells.size(); ++i)
    {
        m_rows += "<TD align=middle";
        if (i == 0 && !firstCellColour.isEmpty())
            m_rows += " bgcolor=" + Escape(firstCellColour);
        m_rows += '>' + Escape(cells[i]) + "</TD>";
    }
    m_rows += "</TR>\r\n";
}

QByteArray CHtmlReport::ToBytes() const
{
    return "<html>\r\n<head>\r\n<title>" + m_title + "</title>\r\n</head>\r\n<h1>" + m_title +
           "</h1>\r\n<table border=1 cellspacing=0>" + m_rows + "</table></html>";
}

bool CHtmlReport::Save(const QString& path, QString* error) const
{
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok)
    {
        const QByteArray bytes = ToBytes();
        ok = file.write(bytes) == bytes.size();
        if (ok && s_pBeforeCommit)
            s_pBeforeCommit(file);
        ok = ok && file.commit();
    }
    if (!ok && error)
        *error = file.errorString();
    return ok;
}
