#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QTranslator;

namespace veltrix {

// The one language value of the program. Every text is written in Simplified Chinese
// in the code and the forms; another language is a translation file built into the
// program. Choosing a language installs its translators on the application, which
// sends every widget a LanguageChange event so that it sets its texts again, and makes
// every tr() from then on answer in that language. The toolkit's own texts (standard
// buttons, file and input dialogs) follow with the toolkit's translation of the same
// language, when the system has it.
class LanguageSwitch : public QObject
{
    Q_OBJECT

public:
    // The language the texts are written in; it needs no translation file.
    static const char *const SourceLanguage;  // "zh_CN"
    static const char *const English;         // "en"

    explicit LanguageSwitch(QObject *parent = nullptr);
    ~LanguageSwitch() override;

    // Locale names of every language the program can show: the source language first,
    // then one per built-in translation file, in name order.
    static QStringList availableLanguages();

    // The locale name of the language now shown.
    QString language() const { return m_language; }
    bool isEnglish() const { return m_language == QLatin1String(English); }

    // Shows the program in `language` (a name from availableLanguages()). Returns false,
    // and changes nothing, for a language the program has no translation of.
    bool setLanguage(const QString &language);

signals:
    // The language is switched. Widgets follow the toolkit's LanguageChange event
    // instead; this is for code without widgets (nothing in the window connects it).
    void languageChanged(const QString &language);

private:
    void removeTranslators();

    QString m_language;
    std::unique_ptr<QTranslator> m_program;  // this program's texts
    std::unique_ptr<QTranslator> m_toolkit;  // the toolkit's own texts
};

}  // namespace veltrix
