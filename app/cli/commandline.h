#pragma once

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QGuiApplication;
class QTextStream;

// What a game is asked to do, whether it starts now or the running game
// takes the request over.
struct GameRequest
{
    bool fullScreen = false;
    // The id of the word set the next game plays; empty: the one chosen in
    // the grown-ups' corner.
    QString wordSet;
    // The name of the child who plays this run; empty: the child last chosen.
    QString child;
};

// The program's command line, read before any window-system object exists,
// so that commands which start no game (--help, --version, the teachers'
// commands) answer without a display and whether or not a game is open.
// Every option is one entry of a table in commandline.cpp. It answers in
// the locale's language: Chinese under zh_*, English otherwise.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // `arguments` starts with the program's name, as argv does.
    explicit CommandLine(const QStringList &arguments);
    ~CommandLine();
    static QStringList fromArgv(int argc, char **argv);

    // Runs what the command line asks for when that starts no game and gives
    // the exit code (a wrong command line included: a message and 1);
    // nothing when a game should start or be asked to come to the front
    // (then no application object of the command line's is left).
    std::optional<int> runCommand(QTextStream &out, QTextStream &err);

    // The game options as given, ready to be sent to a running game.
    const QStringList &gameArguments() const { return forwarded; }
    // Reads game options that gameArguments() gave; unknown ones are ignored,
    // since a newer copy of the program may send options this one lacks.
    static GameRequest gameRequest(const QStringList &gameArguments);

private:
    bool asksForAnswer() const;
    void speak();

    // A display-less application with the locale's translations, made only
    // when the command line has something to say.
    std::unique_ptr<QGuiApplication> messages;
    QCommandLineParser parser;
    QString error;
    int command = -1; // the index of the command that runs, -1 for none
    QStringList forwarded;
};
