#include "templatefile.h"

#include <QDomDocument>
#include <QDomElement>
#include <QFileInfo>
#include <QLocale>
#include <QXmlStreamWriter>

#include <cmath>

namespace
{
const QString kRoot = QStringLiteral("Templates");
const QString kItem = QStringLiteral("Item");
const QString kStart = QStringLiteral("StartFreq");
const QString kEnd = QStringLiteral("EndFreq");

// A missing attribute or a text that is not a number is 0.0.
double Number(const QDomElement& element, const QString& name)
{
    bool ok = false;
    const double value = element.attribute(name).toDouble(&ok);
    return ok ? value : 0.0;
}

QString Text(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}
}  // namespace

std::vector<ARCHIVE_SIGNAL_ENTRY> CTemplateFile::Read(const QByteArray& text)
{
    std::vector<ARCHIVE_SIGNAL_ENTRY> ranges;
    QDomDocument document;
    if (!document.setContent(text))
        return ranges;
    // The document element, not the first node: a declaration or a comment may come first.
    for (QDomElement item = document.documentElement().firstChildElement(); !item.isNull();
         item = item.nextSiblingElement())
    {
        ARCHIVE_SIGNAL_ENTRY range;
        range.FreqBegin = Number(item, kStart);
        range.FreqEnd = Number(item, kEnd);
        // "nan" and "inf" read as numbers, but mark no span of the spectrum.
        if (!std::isfinite(range.FreqBegin) || !std::isfinite(range.FreqEnd))
            continue;
        ranges.push_back(range);
    }
    return ranges;
}

QByteArray CTemplateFile::Write(const std::vector<ARCHIVE_SIGNAL_ENTRY>& ranges)
{
    // Written element by element so the attributes keep their order from one save to the next.
    QByteArray text;
    QXmlStreamWriter writer(&text);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(1);
    writer.writeStartElement(kRoot);
    for (const ARCHIVE_SIGNAL_ENTRY& range : ranges)
    {
        writer.writeEmptyElement(kItem);
        writer.writeAttribute(kStart, Text(range.FreqBegin));
        writer.writeAttribute(kEnd, Text(range.FreqEnd));
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    // Without a declaration the writer still opens with the line break that would follow one.
    if (text.startsWith('\n'))
        text.remove(0, 1);
    return text;
}

QString CTemplateFile::TemplateName(const QString& path)
{
    const QFileInfo info(path);
    const QString base = info.baseName();
    return base.isEmpty() ? info.fileName() : base;
}
