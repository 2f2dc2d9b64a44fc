#pragma once

#include <QString>
#include <QTranslator>

// The two translators of the user interface: Qt's own texts and the program's, both embedded for each
// language the program ships. The chosen language is remembered in "settings.ini" as
// "Global/Language" and takes effect at the next start.
class CAppTranslator
{
public:
    CAppTranslator();
    ~CAppTranslator();
    CAppTranslator(const CAppTranslator&) = delete;
    CAppTranslator& operator=(const CAppTranslator&) = delete;

    // `language` is a locale name ("ru_RU") or a bare language ("ru"); only the part before the first "_"
    // counts. Unless `storeOnly`, both translators are replaced by the embedded ":/qt_<language>.qm" and
    // ":/veltrano_<language>.qm"; a language without them installs translators that translate nothing.
    // The language is written back to the settings file either way.
    void Load(QString language, bool storeOnly);

    const QString& GetLanguage() const { return m_language; }
    const QTranslator& GetQtTranslator() const { return m_qtTranslator; }
    const QTranslator& GetProgramTranslator() const { return m_programTranslator; }

private:
    // Declared in this order so that the program's translator is destroyed first.
    QTranslator m_qtTranslator;
    QTranslator m_programTranslator;
    QString m_language;
};
