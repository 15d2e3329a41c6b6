// A bare Qt program showing the game's first room in a 640 x 450 label: the
// floor that startup_outside measures the game against.
#include <QApplication>
#include <QLabel>
#include <QPixmap>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel room;
    room.setFixedSize(640, 450);
    room.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    room.setPixmap(QPixmap(QStringLiteral(":/pictures/200.bmp"), "BMP"));
    room.show();
    return app.exec();
}
