#include "app/form2.h"
#include "media/sdlsoundplayer.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("net.wordnest.Wordnest"));
    QCommandLineParser options;
    options.addHelpOption();
    const QCommandLineOption fullScreen(QStringLiteral("fullscreen"),
                                        QStringLiteral("Start full screen (F11 switches, Esc leaves)."));
    options.addOption(fullScreen);
    options.process(app);

    SdlSoundPlayer speaker;
    Form2 window(speaker);
    if (options.isSet(fullScreen))
        window.setFullScreenGame(true);
    else
        window.show();
    return app.exec();
}
