#pragma once

#include <QDomDocument>
#include <QString>

#include <mutex>

// The program's settings: one XML document held in memory for the life of the process and kept in
// "settings.ini" in the application's data folder. Windows and the device thread read and write it by
// section and key:
//
//   <Veltrano>
//    <MainWindow>
//     <Width Value="1024"/>
//    </MainWindow>
//   </Veltrano>
//
// Every value is text; the reader's accessor decides its type. On disk the serialised document is the
// INI array "configuration_xml", one signed byte per entry "b", beside plain INI keys that other code
// reads and writes through QSettings on the same file (FilePath()). The array is written through
// QSettings and read back from the file's bytes by CSettingsFileReader.
//
// Every operation takes an internal lock: the device thread reads settings while the GUI thread may be
// writing them. The QDomDocument base is public for the few callers that walk the tree themselves;
// they bypass the lock and must only do so on the GUI thread.
class CParameters : public QDomDocument
{
public:
    // Files written by a build with another code are replaced by the defaults at load.
    static constexpr int kDefaultCode = 65476558;

    // The program's one instance: "settings.ini" in the writable application-local data folder. Sets
    // the organisation and application names that this folder is derived from; reads nothing.
    CParameters();
    // An instance on a settings file of the caller's choosing (tests, tools).
    explicit CParameters(const QString& filePath);
    // Saves, but only a document that was loaded: one that never was holds nothing of the
    // operator's and would replace the stored settings with an empty document. Nor when the load
    // found a damaged file that it could not copy aside.
    ~CParameters();

    CParameters(const CParameters&) = delete;
    CParameters& operator=(const CParameters&) = delete;

    // Index among all child nodes of `node` of the first element child whose tag is `tag`; -1 if none.
    static int FindChild(const QDomNode& node, const QString& tag);

    // The default when the section or the key does not exist; "" when the key has no value.
    QString GetString(const QString& section, const QString& key, const QString& defaultValue) const;
    // The default when the value is missing or empty; 0 when the text is not a number.
    int GetInt(const QString& section, const QString& key, int defaultValue) const;
    unsigned int GetUInt(const QString& section, const QString& key, unsigned int defaultValue) const;
    double GetDouble(const QString& section, const QString& key, double defaultValue) const;

    // Creates the section and the key, each appended last, when missing. A section or key name that is
    // not a valid XML name, or a value with characters XML cannot carry, is refused with a warning on
    // standard error: storing it would make the whole document unreadable at the next start.
    void SetString(const QString& section, const QString& key, const QString& value);
    void SetInt(const QString& section, const QString& key, int value);
    void SetUInt(const QString& section, const QString& key, unsigned int value);
    // Fixed notation with six decimals (0.03 is stored as "0.030000"); other readers rely on it.
    void SetDouble(const QString& section, const QString& key, double value);

    bool HasSection(const QString& section) const;
    bool HasKey(const QString& section, const QString& key) const;

    // Reads the document from the settings file. A missing or empty document, or one written with
    // another defaults code, is replaced by the defaults (and saved); a stored document that does not
    // parse, or would not read back the same once saved (CSettingsFileReader), is first copied aside as
    // "settings.ini.bad-<time>" and reported (when that copy fails, the defaults are used without touching
    // the file, which the destructor then leaves alone). Clears the pending parameter-file requests
    // ("Parameters/LoadFile", "Parameters/SaveFile") before anything is saved.
    void Load();

    // Writes the document to the settings file, or, when a parameter file is waiting to be loaded
    // ("Parameters/LoadFile"), replaces the settings file by a copy of it; then copies the settings file
    // to a waiting "Parameters/SaveFile". Every file is replaced whole or not at all, so a failure
    // leaves the previous file intact; failures are reported through the message sink. True when all of
    // it succeeded.
    bool Save();

    // Puts the document in its factory state (only the root and the default values) and saves it.
    void SetDefaults();

    // The settings file, shared with the code that keeps plain INI keys beside the document.
    QString FilePath() const;
    // True once Load has run on this instance.
    bool IsLoaded() const;

private:
    void Initialise();
    // Removes every section, leaving the empty root.
    void ClearSections();
    // The default values of every window and of the device.
    void WriteDefaultValues();

    bool SetAsideDamagedFile(const QString& path);
    bool WriteDocument(const QString& path);
    bool TakeOverParameterFile(const QString& path, const QString& source);
    bool CopyToParameterFile(const QString& path, const QString& target);

    QDomElement FindSectionElement(const QString& section) const;
    QDomElement FindKeyElement(const QString& section, const QString& key) const;

    mutable std::recursive_mutex m_mutex;
    QString m_filePath;  // empty: the application's data folder, looked up at each use
    bool m_loaded = false;
    bool m_keepStoredFile = false;  // a damaged file could not be copied aside
};

// The settings of the program, created before main and saved after it returns.
extern CParameters g_Parameters;
