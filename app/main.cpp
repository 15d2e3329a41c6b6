#include "app/form2.h"
#include "media/sdlsoundplayer.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("net.wordnest.Wordnest"));
    SdlSoundPlayer speaker;
    Form2 window(speaker);
    window.show();
    return app.exec();
}
