#include "core/app/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

// Q_INIT_RESOURCE declares the registration function in the enclosing namespace, so it
// has to be expanded at global scope.
static void registerTranslationResources()
{
    Q_INIT_RESOURCE(veltrix_translations);
}

namespace veltrix {

namespace {

const char *const TranslationFolder = ":/translations";
const char *const TranslationPrefix = "veltrix_";
const char *const TranslationSuffix = ".qm";
const char *const ToolkitPrefix = "qtbase_";

void ensureResources()
{
    static const bool registered = [] {
        registerTranslationResources();
        return true;
    }();
    Q_UNUSED(registered)
}

QString toolkitTranslationsPath()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

}  // namespace

const char *const LanguageSwitch::SourceLanguage = "zh_CN";
const char *const LanguageSwitch::English = "en";

LanguageSwitch::LanguageSwitch(QObject *parent)
    : QObject(parent), m_language(QString::fromLatin1(SourceLanguage))
{
    ensureResources();
}

LanguageSwitch::~LanguageSwitch()
{
    removeTranslators();
}

QStringList LanguageSwitch::availableLanguages()
{
    ensureResources();
    QStringList languages{QString::fromLatin1(SourceLanguage)};
    const QString prefix = QString::fromLatin1(TranslationPrefix);
    const QString suffix = QString::fromLatin1(TranslationSuffix);
    const QStringList files = QDir(QString::fromLatin1(TranslationFolder))
                                  .entryList({prefix + QLatin1Char('*') + suffix},
                                             QDir::Files, QDir::Name);
    for (const QString &file : files)
        languages << file.mid(prefix.size(), file.size() - prefix.size() - suffix.size());
    return languages;
}

bool LanguageSwitch::setLanguage(const QString &language)
{
    if (!availableLanguages().contains(language))
        return false;

    std::unique_ptr<QTranslator> program;
    if (language != QLatin1String(SourceLanguage)) {
        program = std::make_unique<QTranslator>();
        if (!program->load(QString::fromLatin1(TranslationPrefix) + language,
                           QString::fromLatin1(TranslationFolder)))
            return false;
    }
    // Without the toolkit's translation its own texts stay in English; that is no
    // reason to refuse the language.
    auto toolkit = std::make_unique<QTranslator>();
    if (!toolkit->load(QString::fromLatin1(ToolkitPrefix) + language, toolkitTranslationsPath()))
        toolkit.reset();

    removeTranslators();
    m_program = std::move(program);
    m_toolkit = std::move(toolkit);
    // Installing and removing translators sends the application the LanguageChange
    // event, which reaches every widget.
    if (m_toolkit)
        QCoreApplication::installTranslator(m_toolkit.get());
    if (m_program)
        QCoreApplication::installTranslator(m_program.get());
    m_language = language;
    emit languageChanged(m_language);
    return true;
}

void LanguageSwitch::removeTranslators()
{
    if (m_program)
        QCoreApplication::removeTranslator(m_program.get());
    if (m_toolkit)
        QCoreApplication::removeTranslator(m_toolkit.get());
    m_program.reset();
    m_toolkit.reset();
}

}  // namespace veltrix
