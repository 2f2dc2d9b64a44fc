#include "apptranslator.h"

#include <QCoreApplication>
#include <QSettings>

#include "parameters.h"

CAppTranslator::CAppTranslator() = default;

CAppTranslator::~CAppTranslator() = default;

void CAppTranslator::Load(QString language, bool storeOnly)
{
    language = language.section(QLatin1Char('_'), 0, 0);

    if (!storeOnly)
    {
        QCoreApplication::removeTranslator(&m_qtTranslator);
        QCoreApplication::removeTranslator(&m_programTranslator);

        // A language without embedded files leaves the translators empty; they are installed anyway
        // so that a later load finds them in place.
        m_qtTranslator.load(QStringLiteral(":/qt_") + language);
        QCoreApplication::installTranslator(&m_qtTranslator);
        m_programTranslator.load(QStringLiteral(":/veltrano_") + language);
        QCoreApplication::installTranslator(&m_programTranslator);
    }

    QSettings settings(g_Parameters.FilePath(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Global/Language"), language);
    settings.sync();

    m_language = language;
}
