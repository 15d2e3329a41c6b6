#include "language/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace translations {

QLocale chinese()
{
    return QLocale(QLocale::Chinese, QLocale::China);
}

QLocale commandLineLanguage()
{
    // Any Chinese locale reads the simplified texts: they are the only Chinese ones.
    return QLocale::system().language() == QLocale::Chinese ? chinese() : QLocale(QLocale::English);
}

bool install(QCoreApplication &app, const QLocale &language)
{
    if (language.language() == QLocale::English)
        return true;
    const auto add = [&app, &language](const QString &name, const QString &folder) {
        auto *translator = new QTranslator(&app);
        if (translator->load(language, name, QStringLiteral("_"), folder))
            return QCoreApplication::installTranslator(translator);
        delete translator;
        return false;
    };
    // Wordnest's own are compiled in: only Qt's can be missing.
    if (!add(QStringLiteral("wordnest"), QStringLiteral(":/i18n")))
        qFatal("the program's translations for %s are not compiled in", qPrintable(language.name()));
    return add(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace translations
