#include "app/form2.h"

// The helping book: shows the hint and asks the same picture again once the
// round's ten have been asked (twelve repeats at most).
void Form2::PicHP_Click()
{
    Picz->show();
    PicHP->hide();
    if (repeatCount < 12) {
        qOrder[size_t(picCount + 1 + repeatCount)] = qOrder[size_t(qNum)];
        ++repeatCount;
    }
}
