#include "corner/wordsettile.h"

#include "ownsets/ownmedia.h"
#include "ownsets/pictureloader.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QRegularExpression>
#include <QTextLayout>
#include <QVBoxLayout>

namespace {
constexpr int sampleSize = 52;
// Inside the margins and the chosen tile's thicker border.
constexpr int innerWidth = WordSetTile::tileWidth - 24;

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

// `text` in at most `lines` lines of `width`, broken between words where it
// can and inside a word too long for a line; the last line cut short with "…".
QString fitLines(const QString &text, const QFont &font, int width, int lines)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList fitted;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (int(fitted.size()) == lines - 1) {
            fitted << QFontMetrics(font).elidedText(text.mid(line.textStart()).simplified(), Qt::ElideRight, width);
            break;
        }
        fitted << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return fitted.join(u'\n');
}

// A label of `text` fitted to the tile; the whole text in its tooltip where it was cut.
QLabel *fittedLabel(const QString &text, const QFont &font, int width, int lines, QWidget *tile)
{
    auto *label = new QLabel(tile);
    label->setTextFormat(Qt::PlainText); // a set of one's own names itself
    label->setFont(font);
    label->setText(fitLines(text, font, width, lines));
    // Only breaks and blanks differ where the text was wrapped but not cut.
    static const QRegularExpression blanks(QStringLiteral("\\s"));
    if (QString(label->text()).remove(blanks) != QString(text).remove(blanks))
        label->setToolTip(Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal));
    return label;
}

QLabel *markLabel(const QString &text, const QFont &font, QColor colour, QWidget *tile)
{
    auto *mark = new QLabel(text, tile);
    QPalette palette = mark->palette();
    palette.setColor(QPalette::WindowText, colour);
    mark->setPalette(palette);
    mark->setFont(font);
    return mark;
}

// Where a picture will be while it is decoded: one for every tile.
QPixmap placeholder()
{
    static const QString key = QStringLiteral("wordSetTile/placeholder");
    QPixmap blank;
    if (QPixmapCache::find(key, &blank))
        return blank;
    blank = QPixmap(2 * sampleSize, 2 * sampleSize);
    blank.fill(QColor(0xee, 0xee, 0xf2));
    blank.setDevicePixelRatio(2);
    QPixmapCache::insert(key, blank);
    return blank;
}
} // namespace

WordSetTile::WordSetTile(const WordSource &set, QWidget *parent)
    : QFrame(parent)
    , id(set.id())
{
    setObjectName(QStringLiteral("wordSetTile"));
    setFixedWidth(tileWidth);
    // Greyed, but to be read: the reason is there for the grown-up.
    QPalette greyed = palette();
    greyed.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x60, 0x60, 0x60));
    greyed.setColor(QPalette::Disabled, QPalette::Text, QColor(0x60, 0x60, 0x60));
    setPalette(greyed);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);

    QFont bold = font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    mark = markLabel(QStringLiteral("已选"), bold, QColor(0xc0, 0x70, 0x00), this);
    cannotMark = markLabel(QStringLiteral("不能玩"), bold, QColor(0xb0, 0x20, 0x20), this);
    cannotMark->setObjectName(QStringLiteral("cannotMark"));
    onceMark = new QLabel(QStringLiteral("这次玩"), this);
    onceMark->setToolTip(QStringLiteral("只在这次玩：是在命令行里（--words）或在“我的词语”里用“玩这一组”选的。下次打开游戏，还是玩“已选”的那一组。"));
    onceMark->setForegroundRole(QPalette::PlaceholderText);
    // The name leaves room for the widest mark, which comes and goes.
    const int markRoom = 6 + std::max({QFontMetrics(bold).horizontalAdvance(cannotMark->text()),
                                       QFontMetrics(bold).horizontalAdvance(mark->text()),
                                       onceMark->fontMetrics().horizontalAdvance(onceMark->text())});
    auto *names = new QHBoxLayout;
    QLabel *chinese = fittedLabel(set.chineseName(), bold, innerWidth - markRoom, 2, this);
    chinese->setObjectName(QStringLiteral("chineseName"));
    names->addWidget(chinese, 1, Qt::AlignTop);
    for (QLabel *each : {onceMark, mark, cannotMark}) {
        names->addWidget(each, 0, Qt::AlignTop);
        each->hide();
    }

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

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(names);
    layout->addWidget(fittedLabel(set.englishName(), font(), innerWidth, 1, this));
    layout->addLayout(pictures);
    // The words a hand-made folder holds that the set plays without, and why.
    if (const QList<LeftOutWord> left = set.leftOut(); !left.isEmpty()) {
        QStringList why;
        for (const LeftOutWord &word : left)
            why << QStringLiteral("%1：%2").arg(word.word, word.why);
        QLabel *note = addNote(QStringLiteral("%1 个词没用上").arg(left.size()));
        note->setObjectName(QStringLiteral("leftOut"));
        note->setToolTip(Qt::convertFromPlainText(why.join(u'\n'), Qt::WhiteSpaceNormal));
        note->setForegroundRole(QPalette::PlaceholderText);
    }
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

QLabel *WordSetTile::addNote(const QString &text)
{
    auto *note = new QLabel(text, this);
    note->setTextFormat(Qt::PlainText); // it names the set's words and files
    auto *column = qobject_cast<QVBoxLayout *>(layout());
    column->insertWidget(column->count() - (column->itemAt(column->count() - 1)->spacerItem() ? 1 : 0), note);
    return note;
}

void WordSetTile::setChosen(bool on)
{
    chosen = on;
    mark->setVisible(on);
    // Inside the border, thicker on the chosen tile.
    const int border = on ? 4 : 2;
    setContentsMargins(border, border, border, border);
    update();
}

void WordSetTile::setPlayingOnce(bool on)
{
    playingOnce = on;
    onceMark->setVisible(on);
}

void WordSetTile::setUnavailable(const QString &why)
{
    addNote(why)->setWordWrap(true);
    disable();
}

void WordSetTile::setCannotPlay(const QString &why)
{
    QLabel *reason = addNote({});
    reason->setObjectName(QStringLiteral("whyNot"));
    reason->setText(fitLines(why.section(u'；', 0, 0), reason->font(), innerWidth, 4));
    reason->setToolTip(Qt::convertFromPlainText(QString(why).replace(u'；', u'\n'), Qt::WhiteSpaceNormal));
    cannotMark->show();
    disable();
}

void WordSetTile::disable()
{
    setEnabled(false);
    setFocusPolicy(Qt::NoFocus);
    unsetCursor();
}

// Drawn here rather than by a style sheet: polishing one for every label of
// forty tiles took longer than the rest of the corner's opening.
void WordSetTile::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int border = chosen ? 4 : 2;
    QPen pen(chosen ? QColor(0xe8, 0x9a, 0x00) : hasFocus() ? QColor(0x40, 0x60, 0xc0) : QColor(0xc8, 0xc8, 0xd8), border);
    if (!isEnabled())
        pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(!isEnabled() ? QColor(0xf4, 0xf4, 0xf6) : chosen ? QColor(0xff, 0xf4, 0xd0) : QColor(Qt::white));
    const qreal half = border / 2.0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(half, half, -half, -half), 8 - half, 8 - half);
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
