#include "forms/form2.h"
#include "ui/qttranslations.h"
#include "cli/commandline.h"
#include "instance/bringtofront.h"
#include "instance/singlegame.h"
#include "sound/sdlsoundplayer.h"
#include "ownsets/setarchive.h"
#include "ownsets/setsondisk.h"
#include "progress/sqliterecorder.h"
#include "ui/afterfirstpaint.h"
#include "ui/fontwarmup.h"
#include "children/childlist.h"
#include "wordsets/wordsets.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Read before any window-system object: --help and the teachers' commands
    // answer without a display, whether or not a game is open; so does a
    // game asked for without one.
    CommandLine commandLine(CommandLine::fromArgv(argc, argv));
    QTextStream out(stdout), err(stderr);
    if (const std::optional<int> exitCode = commandLine.runCommand(out, err))
        return *exitCode;
    const StartRequest request = StartRequest::fromEnvironment(commandLine.gameArguments());

    QApplication app(argc, argv);
    installQtTranslations(app);
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("net.wordnest.Wordnest"));
    SingleGame singleGame;
    const SingleGame::Claim claim = singleGame.claim(request);
    if (claim == SingleGame::Claim::Forwarded)
        return 0;
    if (claim == SingleGame::Claim::First) // no other game can be importing meanwhile
        ownsets::finishCutOffImports(ownsets::setsFolder());
    FontWarmUp fonts; // while the window is built

    SdlSoundPlayer speaker;
    SqliteRecorder recorder; // after the application: Qt finds its SQLite driver through it
    Form2 window(speaker, recorder);
    fonts.holdTextOf(*window.Label2);
    fonts.holdTextOf(*window.Label3);
    // A set that is gone (or none chosen) leaves the household set. Only the
    // sets asked for are read: own sets' pictures and recordings take time.
    const GameRequest asked = CommandLine::gameRequest(request.gameArguments);
    const ChildList children;
    window.playAs(children.byName(asked.child).value_or(Child{children.current()}).id);
    window.rules().chooseWordSet(findWordSet(asked.wordSet, window.rules().child()));
    const auto take = [&window](const StartRequest &taken) {
        if (!taken.newChildren.isEmpty()) { // a teacher's list, checked by the command: no start
            const ChildList::Refusal refusal = ChildList().addAll(taken.newChildren);
            qCInfo(lcSingleGame) << "children added:" << (refusal == ChildList::Refusal::None) << taken.newChildren;
            window.childrenChanged();
            return;
        }
        const GameRequest game = CommandLine::gameRequest(taken.gameArguments);
        if (const std::optional<Child> child = ChildList().byName(game.child)) { // for its next game
            window.playAs(child->id);
            qCInfo(lcSingleGame) << "the next game plays as child" << child->id;
        }
        window.rules().chooseWordSet(findWordSet(game.wordSet, window.rules().child())); // for its next game
        if (game.fullScreen)
            window.companionStack().setFullScreen(true);
        bringToFront(window.companionStack().gameWindow(), taken);
    };
    singleGame.onRequest(take);
    afterFirstPaint(window, [&singleGame] { singleGame.listen(); }); // a later start waits till then
    if (asked.fullScreen)
        window.companionStack().setFullScreen(true);
    else
        window.show();
    return app.exec();
}
