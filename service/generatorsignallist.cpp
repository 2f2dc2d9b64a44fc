#include "generatorsignallist.h"

#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace
{
const QString kTitleAttribute = QStringLiteral("title");
const QString kDataAttribute = QStringLiteral("data");

// Reads one item's attributes; the reader stands on the item's start element and is left after its end.
CGeneratorSignalList::Error ReadItem(QXmlStreamReader& reader, CGeneratorSignalList::Signal* signal)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    signal->title = attributes.value(kTitleAttribute).toString();
    const bool parsed =
        CGeneratorSignalList::ParseData(attributes.value(kDataAttribute).toString(), &signal->block);
    // Whatever the item holds inside is not ours; it is passed over, but a damaged document still
    // makes the whole file unreadable.
    reader.skipCurrentElement();
    if (reader.hasError())
        return CGeneratorSignalList::Error::Content;
    if (!parsed || !CGeneratorSignalList::IsValidBlock(signal->block.data()))
        return CGeneratorSignalList::Error::Data;
    return CGeneratorSignalList::Error::None;
}

// The root's children up to its end element. Every child element is an item, whatever its name; a
// comment, processing instruction or text between them counts as an item without data.
CGeneratorSignalList::Error ReadItems(QXmlStreamReader& reader, QVector<CGeneratorSignalList::Signal>* list)
{
    CGeneratorSignalList::Error dataError = CGeneratorSignalList::Error::None;
    while (!reader.atEnd())
    {
        switch (reader.readNext())
        {
            case QXmlStreamReader::StartElement:
            {
                CGeneratorSignalList::Signal signal;
                const CGeneratorSignalList::Error error = ReadItem(reader, &signal);
                if (error == CGeneratorSignalList::Error::Content)
                    return error;
                if (error == CGeneratorSignalList::Error::Data)
                    dataError = error;
                else if (dataError == CGeneratorSignalList::Error::None)
                    list->append(signal);
                break;
            }
            case QXmlStreamReader::EndElement:
                return dataError;
            case QXmlStreamReader::Characters:
                if (!reader.isWhitespace())
                    dataError = CGeneratorSignalList::Error::Data;
                break;
            case QXmlStreamReader::Comment:
            case QXmlStreamReader::ProcessingInstruction:
            case QXmlStreamReader::EntityReference:
                dataError = CGeneratorSignalList::Error::Data;
                break;
            default:
                break;
        }
    }
    return CGeneratorSignalList::Error::Content;
}
}  // namespace

bool CGeneratorSignalList::IsValidBlock(const uint8_t* block)
{
    using namespace ZantigoBytes;
    if (block[kBandByte] >= kBandCount || block[kCarrierTypeByte] >= kCarrierTypeCount ||
        block[kOctaveByte] >= kOctaveCount || block[kThirdOctaveByte] >= kThirdOctaveCount)
        return false;
    for (int band = 0; band < kBandCount; ++band)
    {
        if (block[kSelectionByte + band] >= kSelectionCount)
            return false;
    }
    return true;
}

uint8_t CGeneratorSignalList::ByteOf(const QString& number)
{
    // toInt gives 0 for text that is not a number.
    return static_cast<uint8_t>(number.toInt() & 0xFF);
}

QString CGeneratorSignalList::DataText(const Block& block)
{
    QString text;
    text.reserve(kBlockSize * 4);
    for (int i = 0; i < kBlockSize; ++i)
    {
        if (i > 0)
            text += QLatin1Char(',');
        text += QString::number(block[static_cast<size_t>(i)]);
    }
    return text;
}

bool CGeneratorSignalList::ParseData(const QString& data, Block* block)
{
    // Empty parts are kept, so a trailing comma makes 225 parts and refuses the item.
    if (data.count(QLatin1Char(',')) != kBlockSize - 1)
        return false;
    const QStringList parts = data.split(QLatin1Char(','));
    for (int i = 0; i < kBlockSize; ++i)
        (*block)[static_cast<size_t>(i)] = ByteOf(parts[i]);
    return true;
}

CGeneratorSignalList::Error CGeneratorSignalList::Read(const QByteArray& bytes, QVector<Signal>* signalList)
{
    signalList->clear();
    QXmlStreamReader reader(bytes);
    QVector<Signal> list;
    Error result = Error::Content;
    bool rootSeen = false;
    while (!reader.atEnd())
    {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartDocument)
        {
            // An XML declaration is a node of its own before the root.
            if (!reader.documentVersion().isEmpty())
                return Error::Content;
            continue;
        }
        if (token == QXmlStreamReader::Characters && reader.isWhitespace())
            continue;
        if (token == QXmlStreamReader::EndDocument || token == QXmlStreamReader::Invalid)
            break;
        if (rootSeen)
        {
            // Comments and processing instructions may follow the root; anything else ends as an error.
            continue;
        }
        // The first node of the document must be the root element itself: a comment, a processing
        // instruction or a document type before it refuses the file.
        if (token != QXmlStreamReader::StartElement || reader.qualifiedName() != QLatin1String(kRootName))
            return Error::Content;
        rootSeen = true;
        result = ReadItems(reader, &list);
        if (result == Error::Content)
            return result;
    }
    // The file must be well formed to its end, even when an item already failed.
    if (!rootSeen || reader.hasError())
        return Error::Content;
    if (result == Error::None)
        *signalList = list;
    return result;
}

CGeneratorSignalList::Error CGeneratorSignalList::ReadFile(const QString& path, QVector<Signal>* signalList)
{
    signalList->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Error::File;
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize || file.error() != QFileDevice::NoError)
        return Error::File;
    return Read(bytes, signalList);
}

QByteArray CGeneratorSignalList::Write(const QVector<Signal>& signalList)
{
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.setCodec("UTF-8");
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(1);
    // No writeStartDocument: the file carries no declaration.
    writer.writeStartElement(QLatin1String(kRootName));
    for (const Signal& signal : signalList)
    {
        writer.writeEmptyElement(QLatin1String(kItemName));
        writer.writeAttribute(kTitleAttribute, signal.title);
        writer.writeAttribute(kDataAttribute, DataText(signal.block));
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    // Without a declaration before it, the formatting writer still opens the root on a new line.
    if (bytes.startsWith('\n'))
        bytes.remove(0, 1);
    return bytes;
}
