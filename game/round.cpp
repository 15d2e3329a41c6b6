#include "app/form2.h"

#include "media/catalogue.h"
#include "media/recording.h"

#include <QStringList>

// Lays out a round: ten different words out of the list in two rows of five
// along the top of the room, the order of the questions drawn, and the first
// question asked.
void Form2::NewRound()
{
    Timerboy.stop();

    PicBoy(0)->setPicture(catalogue::FacePicture + level);
    PicBoy(0)->move(faceX[size_t(level)], faceY[size_t(level)]);

    const QStringList list = playingWords->words();
    const qint16 wordCount = qint16(std::min<qsizetype>(list.size(), qsizetype(words.size())));
    for (qint16 k = 0; k < wordCount; ++k)
        words[size_t(k)] = list[k];

    ShuffleOrder(wordCount);
    std::copy_n(qOrder.begin(), wordCount, picWord.begin());

    PictureBox *first = LabelP(0);
    first->show();
    first->setPicture(playingWords->picture(picWord[0]));
    first->setGeometry(0, 0, 90, 90);
    picCount = 9;
    for (int i = 1; i <= 9; ++i) {
        PictureBox *box = LabelP.load(i);
        box->setPicture(playingWords->picture(picWord[size_t(i)]));
        box->show();
        if (i % 5 == 0)
            box->move(first->x(), LabelP(i - 4)->y() + first->height() + 1);
        else
            box->move(LabelP(i - 1)->x() + first->width(), LabelP(i - 1)->y());
    }

    ShuffleOrder(qint16(picCount + 1));
    presentQuestion();
}

// Asks question qNum as the level allows: the hint picture (shown on level
// index 0, kept ready for the book on the others), the book on level index 1,
// the word written out, and, but on level index 3, the word said aloud.
void Form2::presentQuestion()
{
    const qint16 word = picWord[size_t(qOrder[size_t(qNum)])];
    const WordKey asked = playingWords->key(word);
    tally.ask(asked.set, asked.word, level);
    Picz->setPicture(playingWords->picture(word));
    if (level != 0)
        Picz->hide();
    PicHP->setVisible(level == 1);
    Label3->setText(words[size_t(word)]);
    loadRecording(player, wordWav, playingWords->recording(word));
    if (level != 3)
        Speak();
    Timer1.start();
}

// Elements 1..picCount of the last round go before the next is laid out.
void Form2::removeRoundPictures()
{
    if (picCount < 2)
        return;
    for (int i = 1; i <= picCount; ++i)
        if (LabelP.exists(i))
            LabelP.unload(i);
}
