#include "forms/form1.h"
#include "forms/form2.h"

// The help opens beside the game, not in a modal loop: the main window only
// stops taking input, and a running game's clocks go on.
void Form2::PicBh_Click()
{
    helpWindow = new Form1;
    companions->opened(helpWindow);
    helpWindow->show();
}
