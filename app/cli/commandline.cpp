#include "cli/commandline.h"

#include "children/childlist.h"
#include "children/namelist.h"
#include "cli/displaycheck.h"
#include "instance/singlegame.h"
#include "language/translations.h"
#include "ownsets/setarchive.h"
#include "ownsets/setsondisk.h"
#include "progress/progressreader.h"
#include "wordsets/trickywordset.h"
#include "wordsets/wordsets.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <functional>
#include <vector>

namespace {

// A command that answers and ends the program; it never starts a game. It
// reads its values, and the positional arguments it takes (a file, say),
// from the parser.
struct Command
{
    QCommandLineOption option;
    std::function<int(const QCommandLineParser &, QTextStream &out, QTextStream &err)> run;
};

// An option for the game: applied at start, or forwarded to the running game.
struct GameOption
{
    QCommandLineOption option;
    std::function<void(const QString &value, GameRequest &)> apply;
    // An error message for a value the option cannot take (the other
    // options given may matter); empty if fine.
    std::function<QString(const QString &value, const QCommandLineParser &)> refuse = {};
};

const QString programName = QStringLiteral("wordnest");

QString helpText();

// Own sets' words are measured with the game's font, and fonts need a GUI
// application; commands run before the game makes one, so a display-less one
// stands in for the while.
template<class Measure>
auto withFonts(Measure measure)
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return measure();
    static int argc = 3;
    static char name[] = "wordnest", platform[] = "-platform", offscreen[] = "offscreen";
    static char *argv[] = {name, platform, offscreen, nullptr};
    const QGuiApplication fonts(argc, argv);
    return measure();
}

// Why set `id` cannot be played; empty when it can. The tricky words are
// those of the child who plays: the one --child names, else the chosen one.
QString unplayable(const QString &id, const QCommandLineParser &parser)
{
    if (id == TrickyWordSet::setId) {
        const ChildList children;
        const QString named = parser.value(QStringLiteral("child"));
        const int child = children.byName(named).value_or(Child{children.current()}).id;
        const TrickyWordSet tricky{withFonts([] { return allWordSets(); }), child};
        if (tricky.playable())
            return {};
        return CommandLine::tr("The tricky words need %1 words each asked at least %2 times; the record has %3 so far.")
            .arg(TrickyWordSet::fewest)
            .arg(TrickyWordSet::timesAsked)
            .arg(tricky.wordCount());
    }
    if (WordSets().find(id))
        return {};
    const QString folder = ownsets::setsFolder() + id;
    if (!ownsets::isValidId(id) || !QFileInfo(folder).exists())
        return CommandLine::tr("There is no word set '%1'; '%2 --list-words' lists them.").arg(id, programName);
    const ownsets::Folder set = withFonts([&folder] { return ownsets::readFolder(folder, ownsets::fitsWordLabel); });
    if (set.playable())
        return {};
    return CommandLine::tr("Word set '%1' cannot be played: %2.").arg(id, set.whatIsWrong());
}

QString unknownChild(const QString &name, const QCommandLineParser &)
{
    if (ChildList().byName(name))
        return {};
    return CommandLine::tr("There is no child '%1'; '%2 --list-children' lists them.").arg(name, programName);
}

// Adds a class list's children: the running game adds them if one is open,
// so that its settings have one writer.
int addChildren(const QString &file, QTextStream &out, QTextStream &err)
{
    const NameList list = NameList::fromFile(file);
    for (const NameList::Problem &problem : list.problems)
        err << file << (problem.line > 0 ? QStringLiteral(":%1").arg(problem.line) : QString()) << ": "
            << problem.reason << '\n';
    if (!list.problems.isEmpty()) {
        err << programName << ": " << CommandLine::tr("nobody was added.") << '\n';
        return 1;
    }
    const ChildList children;
    StartRequest request;
    for (const QString &name : list.allNames())
        if (!children.byName(name))
            request.newChildren << name;
    const qsizetype already = list.names.size() - request.newChildren.size();
    if (children.children().size() + request.newChildren.size() > ChildList::most) {
        err << programName << ": "
            << CommandLine::tr("%1 children and %2 new ones are more than %3; nobody was added.")
                   .arg(children.children().size()).arg(request.newChildren.size()).arg(ChildList::most)
            << '\n';
        return 1;
    }
    if (!request.newChildren.isEmpty()) {
        // The channel's module is found beside the program, which needs the application object.
        static int argc = 1;
        static char name[] = "wordnest", *argv[] = {name, nullptr};
        std::optional<QCoreApplication> application;
        if (!QCoreApplication::instance())
            application.emplace(argc, argv);
        ChildList::Refusal refusal = ChildList::Refusal::None;
        const bool handedOver = SingleGame().handOver(
            request, [&] { refusal = ChildList().addAll(request.newChildren); });
        if (refusal != ChildList::Refusal::None) {
            err << programName << ": "
                << (refusal == ChildList::Refusal::Full
                        ? CommandLine::tr("the children could not be saved: the class is full; nobody was added.")
                        : CommandLine::tr("the children could not be saved; nobody was added."))
                << '\n';
            return 1;
        }
        if (handedOver)
            out << CommandLine::tr("Handed to the open game.") << '\n';
    }
    out << CommandLine::tr("%1 added, %2 already there.").arg(request.newChildren.size()).arg(already) << '\n';
    return 0;
}

// A command's one value and the one file named after it; empty when the
// command line does not give exactly one file.
QStringList valueAndFile(const QCommandLineParser &parser, const QString &option)
{
    if (parser.positionalArguments().size() != 1)
        return {};
    return {parser.value(option), parser.positionalArguments().constFirst()};
}

const std::vector<Command> &commands()
{
    static const std::vector<Command> table{
        {QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")}, QT_TRANSLATE_NOOP("CommandLine", "Show this help and exit.")),
         [](const QCommandLineParser &, QTextStream &out, QTextStream &) {
             out << helpText();
             return 0;
         }},
        {QCommandLineOption(QStringLiteral("version"), QT_TRANSLATE_NOOP("CommandLine", "Show the version and exit.")),
         [](const QCommandLineParser &, QTextStream &out, QTextStream &) {
             out << programName << ' ' << QStringLiteral(WORDNEST_VERSION) << '\n';
             return 0;
         }},
        {QCommandLineOption(QStringLiteral("list-words"),
                            QT_TRANSLATE_NOOP("CommandLine", "List the word sets, one a line: ID, Chinese name, English name "
                                           "and the words a set plays without (tab-separated), and exit.")),
         [](const QCommandLineParser &, QTextStream &out, QTextStream &err) {
             WordSets sets;
             const QList<ownsets::Folder> unplayable = withFonts(
                 [&sets] { return ownsets::addPlayableSets(sets, ownsets::fitsWordLabel); });
             for (const WordSets::Set &set : sets.all()) {
                 out << set->id() << '\t' << set->chineseName() << '\t' << set->englishName();
                 // A fourth column only for a set that plays without some of its words.
                 QStringList left;
                 for (const LeftOutWord &word : set->leftOut())
                     left << CommandLine::tr("%1 (%2)", "a word left out and why").arg(word.word, word.why);
                 if (!left.isEmpty())
                     out << '\t' << left.join(CommandLine::tr("; ", "between the words left out"));
                 out << '\n';
             }
             for (const ownsets::Folder &set : unplayable)
                 err << programName << ": " << CommandLine::tr("word set '%1' cannot be played: %2.").arg(set.id, set.whatIsWrong()) << '\n';
             return 0;
         }},
        {QCommandLineOption(QStringLiteral("export-words"),
                            QT_TRANSLATE_NOOP("CommandLine", "Write word set ID of your own to the FILE named after it "
                                           "(--export-words ID FILE; FILE must not exist yet) and exit."),
                            QStringLiteral("ID")),
         [](const QCommandLineParser &parser, QTextStream &out, QTextStream &err) {
             const QStringList values = valueAndFile(parser, QStringLiteral("export-words"));
             const QString problem =
                 values.isEmpty() ? CommandLine::tr("--export-words needs one FILE after its ID.")
                                  : withFonts([&values] {
                                        return ownsets::exportSet(values.at(0), values.at(1), ownsets::fitsWordLabel);
                                    });
             if (!problem.isEmpty()) {
                 err << programName << ": " << problem << '\n';
                 return 1;
             }
             out << CommandLine::tr("Word set '%1' written to %2.").arg(values.at(0), values.at(1)) << '\n';
             return 0;
         }},
        {QCommandLineOption(QStringLiteral("import-words"),
                            QT_TRANSLATE_NOOP("CommandLine", "Add the word set in FILE (made by --export-words) to your own sets and "
                                           "exit; a set of the same ID is never replaced."),
                            QStringLiteral("FILE")),
         [](const QCommandLineParser &parser, QTextStream &out, QTextStream &err) {
             const QString file = parser.value(QStringLiteral("import-words"));
             const ownsets::Unpacked imported =
                 withFonts([&file] { return ownsets::unpackSet(file, ownsets::fitsWordLabel); });
             if (!imported.problem.isEmpty()) {
                 err << programName << ": " << imported.problem << '\n';
                 return 1;
             }
             out << CommandLine::tr("Word set '%1' imported; '%2 --words %1' plays it.").arg(imported.id, programName)
                 << '\n';
             return 0;
         }},
        {QCommandLineOption(QStringLiteral("export-progress"),
                            QT_TRANSLATE_NOOP("CommandLine", "Write every answer kept so far to FILE, a new file, as CSV (UTF-8, "
                                           "one row per question with the child's name and the game's pace) "
                                           "and exit."),
                            QStringLiteral("FILE")),
         [](const QCommandLineParser &parser, QTextStream &, QTextStream &err) {
             const QString file = parser.value(QStringLiteral("export-progress"));
             // A file of the user's is never replaced from the command line, where nobody is asked.
             if (const QFileInfo target(file); target.exists() || target.isSymLink()) {
                 err << programName << ": " << CommandLine::tr("'%1' already exists; nothing was written.").arg(file) << '\n';
                 return 1;
             }
             ProgressReader reader;
             if (reader.exportCsvFile(file, ChildList().names()))
                 return 0;
             err << programName << ": "
                 << CommandLine::tr("cannot export the progress record to '%1': %2").arg(file, reader.error()) << '\n';
             return 1;
         }},
        {QCommandLineOption(QStringLiteral("list-children"),
                            QT_TRANSLATE_NOOP("CommandLine", "List the children, one a line: name and id (tab-separated), and exit.")),
         [](const QCommandLineParser &, QTextStream &out, QTextStream &) {
             const ChildList children;
             for (const Child &child : children.children())
                 out << child.name << '\t' << child.id << '\n';
             return 0;
         }},
        {QCommandLineOption(QStringLiteral("add-children"),
                            QT_TRANSLATE_NOOP("CommandLine", "Add the children named in FILE, one name a line (UTF-8 or GBK), each "
                                           "with a picture of their own, and exit. Names already there are skipped; "
                                           "with a bad line nobody is added. An open game takes them."),
                            QStringLiteral("FILE")),
         [](const QCommandLineParser &parser, QTextStream &out, QTextStream &err) {
             return addChildren(parser.value(QStringLiteral("add-children")), out, err);
         }},
    };
    return table;
}

const std::vector<GameOption> &gameOptions()
{
    static const std::vector<GameOption> table{
        {QCommandLineOption(QStringLiteral("fullscreen"),
                            QT_TRANSLATE_NOOP("CommandLine", "Start full screen (F11 switches, Esc leaves).")),
         [](const QString &, GameRequest &request) { request.fullScreen = true; }},
        {QCommandLineOption(QStringLiteral("words"),
                            QT_TRANSLATE_NOOP("CommandLine", "Play word set ID (see --list-words) in this run; the set chosen in "
                                           "the grown-ups' corner stays as it is. An open game takes it for its "
                                           "next game."),
                            QStringLiteral("ID")),
         [](const QString &id, GameRequest &request) { request.wordSet = id; },
         unplayable},
        {QCommandLineOption(QStringLiteral("child"),
                            QT_TRANSLATE_NOOP("CommandLine", "Play as the child NAME (see --list-children) in this run; the child "
                                           "chosen in the game stays as it is. An open game takes the child for "
                                           "its next game."),
                            QStringLiteral("NAME")),
         [](const QString &name, GameRequest &request) { request.child = name; },
         unknownChild},
    };
    return table;
}

void addAll(QCommandLineParser &parser)
{
    parser.setApplicationDescription(CommandLine::tr("A picture and word game that teaches children English words.\n"
                                                     "A second start brings the open game to the front."));
    // The tables keep the English descriptions: they are made once, maybe
    // before the language is known.
    const auto add = [&parser](QCommandLineOption option) {
        option.setDescription(CommandLine::tr(option.description().toUtf8().constData()));
        parser.addOption(option);
    };
    for (const Command &command : commands())
        add(command.option);
    for (const GameOption &option : gameOptions())
        add(option.option);
}

// QCommandLineParser's own help names the program through the application
// object, which does not exist yet at this point.
QString helpText()
{
    QCommandLineParser parser;
    addAll(parser);
    const QString text = parser.helpText();
    return CommandLine::tr("Usage: %1 [options]").arg(programName) + text.mid(text.indexOf(u'\n'));
}

} // namespace

CommandLine::CommandLine(const QStringList &arguments)
{
    addAll(parser);
    // A plain start leaves the application object to the game; a command
    // line that may be answered is read again in the user's language, for
    // Qt's own errors.
    bool parsed = parser.parse(arguments);
    if (!parsed || asksForAnswer()) {
        speak();
        parsed = parser.parse(arguments);
    }
    if (!parsed) {
        error = parser.errorText();
        return;
    }
    for (size_t i = 0; i < commands().size() && command < 0; ++i)
        if (parser.isSet(commands()[i].option))
            command = int(i);
    if (command < 0 && !parser.positionalArguments().isEmpty()) {
        error = tr("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
        return;
    }
    for (const GameOption &option : gameOptions()) {
        if (!parser.isSet(option.option))
            continue;
        if (option.refuse && error.isEmpty())
            error = option.refuse(parser.value(option.option), parser);
        forwarded << QStringLiteral("--") + option.option.names().constLast();
        if (!option.option.valueName().isEmpty())
            forwarded << parser.value(option.option);
    }
}

CommandLine::~CommandLine() = default;

bool CommandLine::asksForAnswer() const
{
    if (!parser.positionalArguments().isEmpty())
        return true;
    for (const Command &entry : commands())
        if (parser.isSet(entry.option))
            return true;
    for (const GameOption &entry : gameOptions())
        if (entry.refuse && parser.isSet(entry.option))
            return true;
    return false;
}

void CommandLine::speak()
{
    if (QCoreApplication::instance())
        return;
    // Fonts too: own sets' words are measured while a set is checked.
    static int argc = 3;
    static char name[] = "wordnest", platform[] = "-platform", offscreen[] = "offscreen";
    static char *argv[] = {name, platform, offscreen, nullptr};
    messages = std::make_unique<QGuiApplication>(argc, argv);
    translations::install(*messages, translations::commandLineLanguage());
}

QStringList CommandLine::fromArgv(int argc, char **argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

std::optional<int> CommandLine::runCommand(QTextStream &out, QTextStream &err)
{
    if (!error.isEmpty()) {
        err << programName << ": " << error << '\n';
        return 1;
    }
    if (command >= 0)
        return commands()[size_t(command)].run(parser, out, err);
    if (missingDisplay()) {
        speak();
        err << programName << ": " << *missingDisplay() << '\n';
        return 1;
    }
    messages.reset(); // before the game makes its own
    return std::nullopt;
}

GameRequest CommandLine::gameRequest(const QStringList &gameArguments)
{
    QCommandLineParser parser;
    addAll(parser);
    GameRequest request;
    parser.parse(QStringList(programName) + gameArguments);
    for (const GameOption &option : gameOptions())
        if (parser.isSet(option.option))
            option.apply(parser.value(option.option), request);
    return request;
}
