#include "ui/qttranslations.h"

#include "language/translations.h"

bool installQtTranslations(QCoreApplication &app)
{
    // Chinese whatever the system's locale: the whole interface is Chinese.
    return translations::install(app, translations::chinese());
}
