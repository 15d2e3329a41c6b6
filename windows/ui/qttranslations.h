#pragma once

class QCoreApplication;

// Makes Qt's own texts (file dialogs, standard buttons) Chinese like the rest
// of the game. False where the translations are not installed: those texts
// then stay English and the game goes on.
bool installQtTranslations(QCoreApplication &app);
