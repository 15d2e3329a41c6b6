#include "corner/wordsettile.h"

#include "ownsets/ownmedia.h"
#include "ownsets/pictureloader.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr int sampleSize = 52;

// Drawn from the larger art where there is some, kept at twice the size so
// that it stays sharp on a scaled screen too.
QPixmap sample(const PictureArt &art)
{
    QPixmap source = art.larger ? art.larger(2) : QPixmap();
    if (source.isNull())
        source = art.picture;
    if (source.isNull())
        return {};
    QPixmap small = source.scaled(2 * sampleSize, 2 * sampleSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    small.setDevicePixelRatio(2);
    return small;
}

// Where a picture will be while it is decoded.
QPixmap placeholder()
{
    QPixmap blank(2 * sampleSize, 2 * sampleSize);
    blank.fill(QColor(0xee, 0xee, 0xf2));
    blank.setDevicePixelRatio(2);
    return blank;
}
} // namespace

WordSetTile::WordSetTile(const WordSource &set, QWidget *parent)
    : QFrame(parent)
    , id(set.id())
{
    setObjectName(QStringLiteral("wordSetTile"));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QStringLiteral("#wordSetTile { background: white; border: 2px solid #c8c8d8; border-radius: 8px; }"
                                 "#wordSetTile[chosen=\"true\"] { background: #fff4d0; border: 4px solid #e89a00; }"
                                 "#wordSetTile[chosen=\"false\"]:focus { border-color: #4060c0; }"));

    auto *names = new QHBoxLayout;
    auto *chinese = new QLabel(set.chineseName(), this);
    QFont bold = chinese->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    chinese->setFont(bold);
    mark = new QLabel(QStringLiteral("已选"), this);
    QPalette orange = mark->palette();
    orange.setColor(QPalette::WindowText, QColor(0xc0, 0x70, 0x00));
    mark->setPalette(orange);
    mark->setFont(bold);
    onceMark = new QLabel(QStringLiteral("这次玩"), this);
    onceMark->setToolTip(QStringLiteral("只在这次玩：是在命令行里（--words）或在“我的词语”里用“玩这一组”选的。下次打开游戏，还是玩“已选”的那一组。"));
    onceMark->setForegroundRole(QPalette::PlaceholderText);
    names->addWidget(chinese);
    names->addStretch();
    names->addWidget(onceMark);
    names->addWidget(mark);

    auto *english = new QLabel(set.englishName(), this);
    auto *pictures = new QHBoxLayout;
    pictures->setSpacing(4);
    for (int word = 0; word < 3; ++word) {
        auto *picture = new QLabel(this);
        picture->setFixedSize(sampleSize, sampleSize);
        // An own set's photo is decoded off this thread; the tile fills when it comes.
        if (const WordSource::PictureFile file = set.pictureFile(word); !file.name.isEmpty()) {
            picture->setPixmap(placeholder());
            waiting.append({file.folder, file.name, picture});
            PictureLoader::shared().load(file.folder, file.name);
        } else {
            picture->setPixmap(sample(set.picture(word)));
        }
        // A set short of words (the tricky ones) leaves no blank row that squeezes its note.
        if (picture->pixmap().isNull())
            picture->hide();
        pictures->addWidget(picture);
    }
    pictures->addStretch();
    for (QLabel *label : findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText); // a set of one's own names itself

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addLayout(names);
    layout->addWidget(english);
    layout->addLayout(pictures);
    layout->addStretch();
    setChosen(false);
    setPlayingOnce(false);
    if (!waiting.isEmpty())
        connect(&PictureLoader::shared(), &PictureLoader::loaded, this, &WordSetTile::showLoaded);
}

void WordSetTile::showLoaded(const QString &folder, const QString &name, const QImage &image, const QString &problem)
{
    for (qsizetype i = waiting.size() - 1; i >= 0; --i) {
        const Waiting &each = waiting.at(i);
        if (each.folder != folder || each.name != name)
            continue;
        // A picture that fails now leaves its word out of a game: the grown-up sees why.
        if (image.isNull())
            each.label->setToolTip(QStringLiteral("图片 %1 %2").arg(name, problem));
        else
            each.label->setPixmap(sample({QPixmap::fromImage(ownsets::fitIntoSquare(image, 2 * 90)), {}}));
        waiting.removeAt(i);
    }
    if (waiting.isEmpty())
        emit picturesShown();
}

void WordSetTile::setChosen(bool on)
{
    chosen = on;
    mark->setVisible(on);
    setProperty("chosen", on);
    style()->unpolish(this);
    style()->polish(this);
}

void WordSetTile::setPlayingOnce(bool on)
{
    playingOnce = on;
    onceMark->setVisible(on);
}

void WordSetTile::setUnavailable(const QString &why)
{
    auto *note = new QLabel(why, this);
    note->setTextFormat(Qt::PlainText); // it names the set's words and files
    note->setWordWrap(true);
    qobject_cast<QVBoxLayout *>(layout())->insertWidget(2, note);
    setEnabled(false);
    setFocusPolicy(Qt::NoFocus);
    unsetCursor();
}

void WordSetTile::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void WordSetTile::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit clicked();
    else
        QFrame::keyPressEvent(event);
}
