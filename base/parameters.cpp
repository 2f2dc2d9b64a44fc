#include "parameters.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QtDebug>

#include "messagesink.h"
#include "settingsfilereader.h"

namespace
{
template <int N>
constexpr QLatin1String Latin1(const char (&text)[N])
{
    return QLatin1String(text, N - 1);
}

// Constant-initialised, so they are ready whichever static object of the program reaches them first.
constexpr QLatin1String kRootName = CSettingsFileReader::kRootName;
constexpr QLatin1String kValueAttribute = Latin1("Value");
constexpr QLatin1String kArrayName = CSettingsFileReader::kArrayName;
constexpr QLatin1String kDefaultCodeKey = Latin1("Parameters/DefaultCode");
constexpr QLatin1String kLoadFileKey = Latin1("Parameters/LoadFile");
constexpr QLatin1String kSaveFileKey = Latin1("Parameters/SaveFile");

void Report(const QString& text)
{
    qWarning().noquote() << text;
    kplatform::ShowMessage(QCoreApplication::applicationName().toStdString(), text.toStdString(),
                           kplatform::MessageIcon::Warning);
}

// A name the XML parser reads back as the same element name. The parser is the judge rather than a
// copy of the grammar: a name it refused would cost every setting at the next start.
bool IsElementName(const QString& name)
{
    if (name.isEmpty())
        return false;
    QDomDocument probe;
    if (!probe.setContent(QStringLiteral("<%1/>").arg(name)))
        return false;
    return probe.documentElement().tagName() == name;
}

// The characters an XML 1.0 document may carry at all; the serialiser writes anything else as it is
// and the document would no longer parse.
bool IsXmlText(const QString& text)
{
    for (int i = 0; i < text.size(); ++i)
    {
        const ushort c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        {
            ++i;
            continue;
        }
        const bool allowed =
            c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD);
        if (!allowed)
            return false;
    }
    return true;
}

bool WriteWhole(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    {
        *error = file.errorString();
        return false;
    }
    return true;
}
}  // namespace

CParameters::CParameters()
{
    // Before any application object exists: the data folder of the settings file is derived from these.
    QCoreApplication::setOrganizationName(QStringLiteral("Tarvolen"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("tarvolen.com"));
    QCoreApplication::setApplicationName(QStringLiteral("Delvane Veltrano"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.26"));
    Initialise();
}

CParameters::CParameters(const QString& filePath) : m_filePath(filePath)
{
    Initialise();
}

CParameters::~CParameters()
{
    if (!m_loaded || m_keepStoredFile)
        return;
    try
    {
        Save();
    }
    catch (...)
    {
        // Nothing may leave a destructor; a save that failed has already been reported.
    }
}

void CParameters::Initialise()
{
    appendChild(createElement(kRootName));
    // QSettings keeps process-wide caches that are built on first use. Building them now, before this
    // object is complete, makes them outlive it, so the save in the destructor of a static instance
    // still finds them at process end.
    QSettings warmUp(QStringLiteral("/dev/null"), QSettings::IniFormat);
}

int CParameters::FindChild(const QDomNode& node, const QString& tag)
{
    const QDomNodeList children = node.childNodes();
    for (int i = 0; i < children.count(); ++i)
    {
        const QDomNode child = children.item(i);
        if (child.isElement() && child.toElement().tagName() == tag)
            return i;
    }
    return -1;
}

QDomElement CParameters::FindSectionElement(const QString& section) const
{
    const QDomElement root = documentElement();
    const int index = FindChild(root, section);
    return index < 0 ? QDomElement() : root.childNodes().item(index).toElement();
}

QDomElement CParameters::FindKeyElement(const QString& section, const QString& key) const
{
    const QDomElement sectionElement = FindSectionElement(section);
    if (sectionElement.isNull())
        return QDomElement();
    const int index = FindChild(sectionElement, key);
    return index < 0 ? QDomElement() : sectionElement.childNodes().item(index).toElement();
}

QString CParameters::GetString(const QString& section, const QString& key, const QString& defaultValue) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    const QDomElement keyElement = FindKeyElement(section, key);
    return keyElement.isNull() ? defaultValue : keyElement.attribute(kValueAttribute);
}

int CParameters::GetInt(const QString& section, const QString& key, int defaultValue) const
{
    const QString text = GetString(section, key, QString());
    return text.isEmpty() ? defaultValue : text.toInt();
}

unsigned int CParameters::GetUInt(const QString& section, const QString& key, unsigned int defaultValue) const
{
    const QString text = GetString(section, key, QString());
    return text.isEmpty() ? defaultValue : text.toUInt();
}

double CParameters::GetDouble(const QString& section, const QString& key, double defaultValue) const
{
    const QString text = GetString(section, key, QString());
    return text.isEmpty() ? defaultValue : text.toDouble();
}

void CParameters::SetString(const QString& section, const QString& key, const QString& value)
{
    if (!IsXmlText(value))
    {
        qWarning().noquote() << "Settings: value of" << section + "/" + key
                             << "refused: it holds characters XML cannot store";
        return;
    }
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    QDomElement root = documentElement();
    if (root.isNull())
    {
        root = createElement(kRootName);
        appendChild(root);
    }
    QDomElement sectionElement = FindSectionElement(section);
    if (sectionElement.isNull())
    {
        if (!IsElementName(section) || !IsElementName(key))
        {
            qWarning().noquote() << "Settings: refused" << section + "/" + key << "(not an XML name)";
            return;
        }
        sectionElement = createElement(section);
        root.appendChild(sectionElement);
    }
    QDomElement keyElement = FindKeyElement(section, key);
    if (keyElement.isNull())
    {
        if (!IsElementName(key))
        {
            qWarning().noquote() << "Settings: refused" << section + "/" + key << "(not an XML name)";
            return;
        }
        keyElement = createElement(key);
        sectionElement.appendChild(keyElement);
    }
    keyElement.setAttribute(kValueAttribute, value);
}

void CParameters::SetInt(const QString& section, const QString& key, int value)
{
    SetString(section, key, QString::number(value, 10));
}

void CParameters::SetUInt(const QString& section, const QString& key, unsigned int value)
{
    SetString(section, key, QString::number(value, 10));
}

void CParameters::SetDouble(const QString& section, const QString& key, double value)
{
    SetString(section, key, QString::number(value, 'f', 6));
}

bool CParameters::HasSection(const QString& section) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return !FindSectionElement(section).isNull();
}

bool CParameters::HasKey(const QString& section, const QString& key) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return !FindKeyElement(section, key).isNull();
}

QString CParameters::FilePath() const
{
    if (!m_filePath.isEmpty())
        return m_filePath;
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/settings.ini");
}

bool CParameters::IsLoaded() const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_loaded;
}

void CParameters::Load()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_loaded = true;
    const QString path = FilePath();

    // A file that cannot be read counts as empty, as it does for QSettings.
    QFile file(path);
    const CSettingsFileReader::Result stored =
        CSettingsFileReader::Read(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    file.close();
    const bool read = stored.verdict == CSettingsFileReader::Verdict::Document;
    if (read)
        QDomDocument::operator=(stored.document);
    if (stored.verdict == CSettingsFileReader::Verdict::Damaged && !SetAsideDamagedFile(path))
    {
        // The damaged file is the only copy of the operator's settings: this session works from the
        // defaults and leaves the file alone, unless the operator saves on purpose.
        ClearSections();
        WriteDefaultValues();
        m_keepStoredFile = true;
        return;
    }

    QSettings settings(path, QSettings::IniFormat);
    const int code = settings.value(kDefaultCodeKey).toInt();
    // The requests are cleared before the defaults are saved below: a parameter file taken over at
    // the last save may carry requests of its own, and carrying them out would overwrite the
    // operator's parameter file with the defaults.
    settings.setValue(kLoadFileKey, QString());
    settings.setValue(kSaveFileKey, QString());
    if (!read || code != kDefaultCode)
    {
        settings.setValue(kDefaultCodeKey, kDefaultCode);
        settings.sync();
        SetDefaults();
    }
}

bool CParameters::SetAsideDamagedFile(const QString& path)
{
    const QString base = path + QStringLiteral(".bad-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString target = base;
    for (int n = 1; QFileInfo::exists(target); ++n)
        target = base + QStringLiteral("-%1").arg(n);

    if (QFile::copy(path, target))
    {
        Report(QCoreApplication::translate("CParameters",
                                           "The settings could not be read and were reset to the defaults. "
                                           "The damaged file was kept as %1.")
                   .arg(target));
        return true;
    }
    QFile::remove(target);
    Report(QCoreApplication::translate(
               "CParameters",
               "The settings could not be read and the defaults are used. The damaged file %1 could not be "
               "copied aside, so it is left as it is and this session's settings are not saved.")
               .arg(path));
    return false;
}

void CParameters::SetDefaults()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    ClearSections();
    {
        // A plain key beside the document; the translator reads it at the next start.
        QSettings settings(FilePath(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Global/Language"), QLocale::system().name());
    }
    // The document's values are written in defaultsettings.cpp.
    WriteDefaultValues();
    Save();
}

void CParameters::ClearSections()
{
    QDomElement root = documentElement();
    if (root.isNull())
    {
        appendChild(createElement(kRootName));
        return;
    }
    while (root.hasChildNodes())
        root.removeChild(root.firstChild());
}

bool CParameters::Save()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    const QString path = FilePath();

    bool requestFailed = false;
    const QString loadFile = QSettings(path, QSettings::IniFormat).value(kLoadFileKey).toString();
    if (!loadFile.isEmpty())
    {
        // The document in memory is dropped: the parameter file takes effect at the next start.
        if (TakeOverParameterFile(path, loadFile))
            return true;
        // Then at least this session's settings are kept.
        requestFailed = true;
    }

    if (!WriteDocument(path))
        return false;

    const QString saveFile = QSettings(path, QSettings::IniFormat).value(kSaveFileKey).toString();
    if (!saveFile.isEmpty() && !CopyToParameterFile(path, saveFile))
        requestFailed = true;
    return !requestFailed;
}

bool CParameters::WriteDocument(const QString& path)
{
    const QByteArray bytes = toByteArray(1);
    QSettings settings(path, QSettings::IniFormat);
    settings.setAtomicSyncRequired(true);
    // Entries of a longer earlier document would stay behind the new size otherwise.
    settings.remove(kArrayName);
    settings.beginWriteArray(kArrayName, bytes.size());
    for (int i = 0; i < bytes.size(); ++i)
    {
        settings.setArrayIndex(i);
        settings.setValue(CSettingsFileReader::kEntryKey,
                          static_cast<int>(static_cast<signed char>(bytes[i])));
    }
    settings.endArray();
    settings.sync();
    if (settings.status() != QSettings::NoError)
    {
        Report(QCoreApplication::translate(
                   "CParameters", "The settings could not be saved to %1. The file there was left as it was.")
                   .arg(path));
        return false;
    }
    return true;
}

bool CParameters::TakeOverParameterFile(const QString& path, const QString& source)
{
    QFile in(source);
    QString error;
    if (in.open(QIODevice::ReadOnly))
    {
        const QByteArray bytes = in.readAll();
        if (in.error() == QFileDevice::NoError && WriteWhole(path, bytes, &error))
            return true;
        if (error.isEmpty())
            error = in.errorString();
    }
    else
    {
        error = in.errorString();
    }
    Report(QCoreApplication::translate(
               "CParameters",
               "The parameter file %1 could not be loaded: %2. The current settings were saved instead.")
               .arg(source, error));
    return false;
}

bool CParameters::CopyToParameterFile(const QString& path, const QString& target)
{
    QFile in(path);
    QString error;
    if (in.open(QIODevice::ReadOnly))
    {
        const QByteArray bytes = in.readAll();
        if (in.error() == QFileDevice::NoError && WriteWhole(target, bytes, &error))
            return true;
        if (error.isEmpty())
            error = in.errorString();
    }
    else
    {
        error = in.errorString();
    }
    Report(QCoreApplication::translate("CParameters", "The parameters could not be saved to %1: %2.")
               .arg(target, error));
    return false;
}
