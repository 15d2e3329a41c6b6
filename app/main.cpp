#include "app/form2.h"
#include "cli/commandline.h"
#include "media/sdlsoundplayer.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Read before any window-system object: --help and the teachers' commands
    // answer without a display.
    const CommandLine commandLine(CommandLine::fromArgv(argc, argv));
    QTextStream out(stdout), err(stderr);
    if (const std::optional<int> exitCode = commandLine.runCommand(out, err))
        return *exitCode;
    const GameRequest request = CommandLine::gameRequest(commandLine.gameArguments());

    QApplication app(argc, argv);
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("net.wordnest.Wordnest"));
    SdlSoundPlayer speaker;
    Form2 window(speaker);
    if (request.fullScreen)
        window.setFullScreenGame(true);
    else
        window.show();
    return app.exec();
}
