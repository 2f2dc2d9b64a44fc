#include "knownfreqregionfile.h"

#include <QDomDocument>
#include <QLocale>
#include <QSaveFile>

#include <cmath>

namespace
{
double NumberAttribute(const QDomElement& element, const QString& name)
{
    bool ok = false;
    const double value = element.attribute(name).toDouble(&ok);
    return ok ? value : 0.0;
}

int IntAttribute(const QDomElement& element, const QString& name)
{
    bool ok = false;
    const int value = element.attribute(name).toInt(&ok, 10);
    return ok ? value : 0;
}

QString Exact(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}
}  // namespace

namespace KnownFreqRegionFile
{
bool Parse(const QByteArray& data, std::vector<KNOWN_FREQ_RANGE>* ranges)
{
    ranges->clear();
    QDomDocument document;
    if (!document.setContent(data))
        return false;
    const QDomElement root = document.documentElement();
    if (root.isNull())
        return false;
    for (QDomElement element = root.firstChildElement(); !element.isNull();
         element = element.nextSiblingElement())
    {
        KNOWN_FREQ_RANGE range;
        range.Name = element.attribute(QStringLiteral("Name")).toStdWString();
        range.StartFreq = NumberAttribute(element, QStringLiteral("StartFreq"));
        range.EndFreq = NumberAttribute(element, QStringLiteral("EndFreq"));
        range.Band = NumberAttribute(element, QStringLiteral("Band"));
        range.Step = NumberAttribute(element, QStringLiteral("Step"));
        range.StartChannel = IntAttribute(element, QStringLiteral("StartChannel"));
        range.EndChannel = IntAttribute(element, QStringLiteral("EndChannel"));
        range.Averaging = IntAttribute(element, QStringLiteral("Averaging"));
        // The detector would build channels over such a range without end.
        if (!std::isfinite(range.StartFreq) || !std::isfinite(range.EndFreq) || !std::isfinite(range.Band) ||
            !std::isfinite(range.Step) || !(range.StartFreq < range.EndFreq))
            continue;
        ranges->push_back(std::move(range));
    }
    return true;
}

QByteArray Serialize(const std::vector<KNOWN_FREQ_RANGE>& ranges)
{
    QDomDocument document;
    QDomElement root = document.createElement(QStringLiteral("KnownFreqRanges"));
    document.appendChild(root);
    for (const KNOWN_FREQ_RANGE& range : ranges)
    {
        QDomElement element = document.createElement(QStringLiteral("Range"));
        element.setAttribute(QStringLiteral("Name"), QString::fromStdWString(range.Name));
        element.setAttribute(QStringLiteral("StartFreq"), Exact(range.StartFreq));
        element.setAttribute(QStringLiteral("EndFreq"), Exact(range.EndFreq));
        element.setAttribute(QStringLiteral("Band"), Exact(range.Band));
        element.setAttribute(QStringLiteral("Step"), Exact(range.Step));
        element.setAttribute(QStringLiteral("StartChannel"), QString::number(range.StartChannel));
        element.setAttribute(QStringLiteral("EndChannel"), QString::number(range.EndChannel));
        element.setAttribute(QStringLiteral("Averaging"), QString::number(range.Averaging));
        root.appendChild(element);
    }
    return document.toString(1).toUtf8();
}

bool Save(const QString& path, const std::vector<KNOWN_FREQ_RANGE>& ranges)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = Serialize(ranges);
    if (file.write(data) != data.size())
    {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
}  // namespace KnownFreqRegionFile
