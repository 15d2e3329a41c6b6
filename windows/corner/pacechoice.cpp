#include "corner/pacechoice.h"

#include "rules/rememberedpace.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

namespace {
struct PaceText
{
    Pace pace;
    const char16_t *name;
    const char16_t *meaning;
};
const PaceText paceTexts[] = {
    {Pace::Standard, u"标准", u"一轮比一轮快"},
    {Pace::Slower, u"慢一点", u"每个词都有 10 秒"},
    {Pace::Untimed, u"不限时", u"慢了也不扣球"},
};
} // namespace

PaceChoice::PaceChoice(int child, QWidget *parent)
    : QGroupBox(QStringLiteral("游戏速度"), parent)
    , buttons(new QButtonGroup(this))
{
    // Side by side, under the tiles: two rows of the page, not three.
    auto *layout = new QGridLayout(this);
    layout->setHorizontalSpacing(18);
    layout->setVerticalSpacing(2);
    const Pace chosen = rememberedPace(child);
    int column = 0;
    for (const PaceText &text : paceTexts) {
        auto *button = new QRadioButton(QString::fromUtf16(text.name), this);
        button->setChecked(text.pace == chosen);
        buttons->addButton(button, int(text.pace));
        auto *meaning = new QLabel(QString::fromUtf16(text.meaning), this);
        QPalette grey = meaning->palette();
        grey.setColor(QPalette::WindowText, QColor(0x60, 0x60, 0x60));
        meaning->setPalette(grey);
        layout->addWidget(button, 0, column);
        layout->addWidget(meaning, 1, column++);
    }
    layout->setColumnStretch(column, 1);
    connect(buttons, &QButtonGroup::idClicked, this, [child](int id) { rememberPace(Pace(id), child); });
}
