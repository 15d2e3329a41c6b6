#pragma once

class QCoreApplication;

// Makes Qt's own texts (file dialogs, standard buttons) and the texts the
// windows share with the command line (a set's problems) Chinese like the
// rest of the game. False where Qt's translations are not installed: its
// texts then stay English and the game goes on.
bool installQtTranslations(QCoreApplication &app);
