#include "forms/form3.h"

#include "catalogue/songfont.h"
#include "catalogue/catalogue.h"
#include "sound/recording.h"
#include "sound/soundplayer.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QValidator>

namespace {

const QString congratulation = QStringLiteral("恭喜恭喜!您上榜了。您的大名:");

// The name box takes only what the board file can store as typed: no line
// breaks, nothing outside GBK (an emoji would come back as "?").
class NameValidator final : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return fitsBoardFile(input) ? Acceptable : Invalid;
    }
};

QLabel *makeRowLabel(QWidget *parent, QRect place)
{
    auto *label = new QLabel(parent);
    label->setGeometry(place);
    label->setTextFormat(Qt::PlainText); // a name is shown as typed, never as markup
    label->setAutoFillBackground(true);
    return label;
}

} // namespace

Form3::Form3(QWidget &owner, SoundPlayer &soundPlayer, BoardLocation boardLocation)
    : player(soundPlayer)
    , location(std::move(boardLocation))
{
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("排行榜"));
    // A dialog, so the window manager keeps it above the game's window it
    // belongs to, also above the full screen.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(owner.windowIcon());
    setFixedSize(312, 339);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);

    const auto copyRow = [this](const QLabel &model) {
        auto *label = makeRowLabel(model.parentWidget(), model.geometry());
        label->setFont(model.font());
        label->setPalette(model.palette());
        return label;
    };
    Label1.setCopier(copyRow);
    Label2.setCopier(copyRow);
}

Form3::~Form3()
{
    // The sound started at load may still be playing from boardWav.
    player.stop();
}

void Form3::Show()
{
    Form_Load();
    show();
    activateWindow();
    // setFocus() on a window not yet active only marks the widget; the focus
    // moves there as the window becomes active.
    if (Text1 && !Text1->isHidden())
        Text1->setFocus(Qt::ActiveWindowFocusReason);
}

void Form3::createControls()
{
    destroyControls(); // shown again while open: one set of controls only
    controls = new QWidget(this);
    controls->setGeometry(rect());

    Labt = new QLabel(congratulation, controls);
    Labt->setGeometry(32, 24, 217, 25);
    Labt->setTextFormat(Qt::PlainText);
    Labt->setAlignment(Qt::AlignCenter);
    Labt->setFont(songFont(9));
    QPalette red = Labt->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Labt->setPalette(red);

    Text1 = new QLineEdit(controls);
    Text1->setGeometry(32, 48, 209, 25);
    Text1->setMaxLength(40);
    Text1->setValidator(new NameValidator(Text1));
    Text1->installEventFilter(this);

    Command1 = new QPushButton(QStringLiteral("确认"), controls);
    Command1->setGeometry(256, 48, 41, 25);
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    setTabOrder(Text1, Command1);

    Label1.append(makeRowLabel(controls, {32, 88, 81, 25}));
    Label2.append(makeRowLabel(controls, {160, 88, 89, 25}));
}

void Form3::Form_Load()
{
    // Board 1 keeps its designed size; another board's window is one line taller.
    const bool namesSet = grd != 1 && !wordSetName.isEmpty();
    setFixedSize(312, namesSet ? 339 + 24 : 339);
    createControls();
    if (namesSet) {
        auto *line = new QLabel(QStringLiteral("词语组：%1").arg(wordSetName), controls);
        line->setObjectName(QStringLiteral("wordSetLine"));
        line->setGeometry(32, 328, 248, 25);
        line->setTextFormat(Qt::PlainText);
    }

    boardPath = boardFileName.isEmpty() ? composeBoardPath(location.boardFolder(grd), grd)
                                        : location.ownBoardFolder() + boardFileName;
    const sharedboard::Opened opened = sharedboard::open(boardPath, board(), boardSeen);
    if (opened == sharedboard::Opened::Unreadable) {
        // There is a board, but it cannot be read: a default board in its
        // place would wipe out every result in it. Nothing can be saved.
        showBoardOnly(QStringLiteral("排行榜没能读出来。"));
    } else if (opened == sharedboard::Opened::Read) {
        newRank = rankOf(board(), fcount);
        if (newRank < 0)
            showBoardOnly(QStringLiteral("排行榜"));
        else
            loadRecording(player, boardWav, catalogue::RoundSound); // 123, the place sound
    } else {
        // No board yet: a fresh one, and the new result goes on top. Nothing
        // new is loaded to play; boardWav still holds the last showing's sound.
        newRank = 0;
    }
    // Only a name the board keeps as it is: an emoji would come back as "?".
    if (newRank >= 0 && !playerName.isEmpty() && fitsBoardFile(playerName)) {
        Text1->setText(playerName);
        Text1->selectAll();
    }

    for (int i = 1; i <= 9; ++i) {
        Label1.load(i)->show();
        Label2.load(i)->show();
    }
    for (int i = 0; i <= 9; ++i) {
        Label1(i)->move(Label1(i)->x(), 80 + 24 * i);
        Label2(i)->move(Label2(i)->x(), 80 + 24 * i);
    }
    // Rows of an unreadable board would be a past showing's: left empty.
    if (opened != sharedboard::Opened::Unreadable)
        showRows();

    // Also when boardWav is empty: the player then just stops what plays.
    player.play(boardWav, PlayMode::Async);
}

void Form3::Text1_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        Command1_Click();
}

void Form3::Command1_Click()
{
    if (!Text1 || Text1->isHidden() || Text1->text().isEmpty())
        return;
    switch (sharedboard::save(boardPath, board(), boardSeen, newRank, Text1->text(), fcount)) {
    case sharedboard::Saved::Yes:
        close();
        return;
    case sharedboard::Saved::NoPlace:
        // Another game saved first: the board as it is now, and why the name
        // box went away.
        showRows();
        showBoardOnly(QStringLiteral("排行榜刚刚变了，这次没有上榜。"));
        player.play(boardWav, PlayMode::Async);
        return;
    case sharedboard::Saved::Unreadable:
        showBoardOnly(QStringLiteral("排行榜没能读出来。"));
        return;
    // The old board is still there; the name stays typed for another try.
    case sharedboard::Saved::Busy:
        Labt->setText(QStringLiteral("排行榜正忙，请再按一次确认。"));
        return;
    case sharedboard::Saved::Failed:
        showRows(); // read again, perhaps, before the write failed
        Labt->setText(QStringLiteral("成绩没能保存，请再试一次。"));
        return;
    }
}

void Form3::showBoardOnly(const QString &heading)
{
    newRank = -1;
    Text1->hide();
    Command1->hide();
    Labt->setText(heading);
    loadRecording(player, boardWav, catalogue::NoPlaceSound);
}

void Form3::showRows()
{
    const Board &shown = board();
    for (int i = 0; i <= 9; ++i) {
        Label1(i)->setText(shown.boardNames[size_t(i)]);
        Label2(i)->setText(QString::number(shown.boardScores[size_t(i)]));
    }
}

void Form3::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    QWidget::closeEvent(event);
}

void Form3::Form_Unload()
{
    destroyControls();
}

void Form3::destroyControls()
{
    // Deleted later, since the click or key press that closes the window may
    // still be on the stack.
    if (controls) {
        controls->hide();
        controls->deleteLater();
        controls = nullptr;
    }
    Label1.forget();
    Label2.forget();
    Labt = nullptr;
    Text1 = nullptr;
    Command1 = nullptr;
}

bool Form3::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Text1_KeyPress(13);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
