#pragma once

#include <QLocale>

class QCoreApplication;

// The languages the program speaks: its windows are Chinese whatever the
// locale; its command line is Chinese under a zh_* locale and English
// otherwise. Texts are written in English and translated from the .ts files
// under translations/, compiled into the program.
namespace translations {

QLocale chinese();
// The language of the command line, from LC_ALL, LC_MESSAGES and LANG as the
// system locale reads them.
QLocale commandLineLanguage();
// Installs the program's own translations and Qt's (its dialogs, its command
// line parser) for `language` into `app`; English needs none. False when
// Qt's own are not installed on this machine: those texts stay English.
bool install(QCoreApplication &app, const QLocale &language);

} // namespace translations
