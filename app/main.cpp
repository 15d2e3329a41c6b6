#include "app/form2.h"
#include "media/sdlsoundplayer.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SdlSoundPlayer speaker;
    Form2 window(speaker);
    window.show();
    return app.exec();
}
