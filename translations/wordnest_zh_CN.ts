<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ChildName</name>
    <message>
        <source>the name is empty</source>
        <translation>名字是空的</translation>
    </message>
    <message>
        <source>the name is longer than %1 characters</source>
        <translation>名字超过 %1 个字</translation>
    </message>
    <message>
        <source>the name holds a tab, a line break or another control character</source>
        <translation>名字里有制表符、换行或别的控制字符</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>The tricky words need %1 words each asked at least %2 times; the record has %3 so far.</source>
        <translation>难记的词要有 %1 个、每个至少问过 %2 次才能玩；答题记录里现在有 %3 个。</translation>
    </message>
    <message>
        <source>There is no word set &apos;%1&apos;; &apos;%2 --list-words&apos; lists them.</source>
        <translation>没有词语组“%1”；“%2 --list-words”会列出所有词语组。</translation>
    </message>
    <message>
        <source>Word set &apos;%1&apos; cannot be played: %2.</source>
        <translation>词语组“%1”不能玩：%2。</translation>
    </message>
    <message>
        <source>There is no child &apos;%1&apos;; &apos;%2 --list-children&apos; lists them.</source>
        <translation>没有叫“%1”的孩子；“%2 --list-children”会列出所有孩子。</translation>
    </message>
    <message>
        <source>nobody was added.</source>
        <translation>一个孩子也没有添加。</translation>
    </message>
    <message>
        <source>%1 children and %2 new ones are more than %3; nobody was added.</source>
        <translation>已有 %1 个孩子，再加 %2 个新的就超过 %3 个了；一个孩子也没有添加。</translation>
    </message>
    <message>
        <source>the children could not be saved: the class is full; nobody was added.</source>
        <translation>孩子们保存不了：班里已经满了；一个孩子也没有添加。</translation>
    </message>
    <message>
        <source>the children could not be saved; nobody was added.</source>
        <translation>孩子们保存不了；一个孩子也没有添加。</translation>
    </message>
    <message>
        <source>Handed to the open game.</source>
        <translation>已经交给打开着的游戏。</translation>
    </message>
    <message>
        <source>%1 added, %2 already there.</source>
        <translation>添加了 %1 个，%2 个原来就有。</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>显示这份说明，然后退出。</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>显示版本，然后退出。</translation>
    </message>
    <message>
        <source>word set &apos;%1&apos; cannot be played: %2.</source>
        <translation>词语组“%1”不能玩：%2。</translation>
    </message>
    <message>
        <source>Write word set ID of your own to the FILE named after it (--export-words ID FILE; FILE must not exist yet) and exit.</source>
        <translation>把自己的词语组 ID 写进后面给的文件 FILE（--export-words ID FILE；FILE 不能已经存在），然后退出。</translation>
    </message>
    <message>
        <source>--export-words needs one FILE after its ID.</source>
        <translation>--export-words 的 ID 后面要跟一个文件 FILE。</translation>
    </message>
    <message>
        <source>Word set &apos;%1&apos; written to %2.</source>
        <translation>词语组“%1”已经写进 %2。</translation>
    </message>
    <message>
        <source>Add the word set in FILE (made by --export-words) to your own sets and exit; a set of the same ID is never replaced.</source>
        <translation>把文件 FILE（由 --export-words 做成）里的词语组加进自己的词语组，然后退出；ID 相同的词语组不会被替换。</translation>
    </message>
    <message>
        <source>Word set &apos;%1&apos; imported; &apos;%2 --words %1&apos; plays it.</source>
        <translation>词语组“%1”导入好了；用“%2 --words %1”就能玩。</translation>
    </message>
    <message>
        <source>Write every answer kept so far to FILE, a new file, as CSV (UTF-8, one row per question with the child&apos;s name and the game&apos;s pace) and exit.</source>
        <translation>把到现在记下的每个回答写进新文件 FILE，格式是 CSV（UTF-8，每道题一行，带孩子的名字和游戏的速度），然后退出。</translation>
    </message>
    <message>
        <source>&apos;%1&apos; already exists; nothing was written.</source>
        <translation>“%1”已经存在；什么也没有写。</translation>
    </message>
    <message>
        <source>cannot export the progress record to &apos;%1&apos;: %2</source>
        <translation>无法把答题记录导出到“%1”：%2</translation>
    </message>
    <message>
        <source>List the children, one a line: name and id (tab-separated), and exit.</source>
        <translation>列出孩子，一行一个：名字和 id（用制表符隔开），然后退出。</translation>
    </message>
    <message>
        <source>Add the children named in FILE, one name a line (UTF-8 or GBK), each with a picture of their own, and exit. Names already there are skipped; with a bad line nobody is added. An open game takes them.</source>
        <translation>添加文件 FILE 里的孩子，一行一个名字（UTF-8 或 GBK），每人有自己的图片，然后退出。已有的名字跳过；有一行不对就一个也不添加。打开着的游戏会收下他们。</translation>
    </message>
    <message>
        <source>Start full screen (F11 switches, Esc leaves).</source>
        <translation>全屏开始（F11 切换，Esc 退出全屏）。</translation>
    </message>
    <message>
        <source>Play word set ID (see --list-words) in this run; the set chosen in the grown-ups&apos; corner stays as it is. An open game takes it for its next game.</source>
        <translation>这次玩词语组 ID（见 --list-words）；大人的角落里选的词语组不变。打开着的游戏下一局玩它。</translation>
    </message>
    <message>
        <source>Play as the child NAME (see --list-children) in this run; the child chosen in the game stays as it is. An open game takes the child for its next game.</source>
        <translation>这次由孩子 NAME 来玩（见 --list-children）；游戏里选的孩子不变。打开着的游戏下一局换这个孩子玩。</translation>
    </message>
    <message>
        <source>A picture and word game that teaches children English words.
A second start brings the open game to the front.</source>
        <translation>看图配词，教孩子学英语单词的游戏。
再启动一次会把打开着的游戏带到最前面。</translation>
    </message>
    <message>
        <source>Usage: %1 [options]</source>
        <translation>用法：%1 [选项]</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>多余的参数“%1”。</translation>
    </message>
    <message>
        <source>List the word sets, one a line: ID, Chinese name, English name and the words a set plays without (tab-separated), and exit.</source>
        <translation>列出词语组，一行一个：ID、中文名、英文名和这组没用上的词（用制表符隔开），然后退出。</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <comment>a word left out and why</comment>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>; </source>
        <comment>between the words left out</comment>
        <translation>；</translation>
    </message>
</context>
<context>
    <name>DisplayCheck</name>
    <message>
        <source>no display to show the game on (neither DISPLAY nor WAYLAND_DISPLAY is set); start it from the desktop, or see wordnest --help for what runs without one</source>
        <translation>没有能显示游戏的屏幕（DISPLAY 和 WAYLAND_DISPLAY 都没有设置）；请从桌面启动，或看 wordnest --help 里不用屏幕也能运行的命令</translation>
    </message>
</context>
<context>
    <name>NameList</name>
    <message>
        <source>the file is neither UTF-8 nor GBK text</source>
        <translation>文件既不是 UTF-8 也不是 GBK 文字</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is given twice (first on line %2)</source>
        <translation>“%1”写了两次（第一次在第 %2 行）</translation>
    </message>
    <message>
        <source>it is a link; name the file itself</source>
        <translation>它是链接；请给出文件本身</translation>
    </message>
    <message>
        <source>cannot open it (%1)</source>
        <translation>打不开（%1）</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>它不是普通文件</translation>
    </message>
    <message>
        <source>it is larger than %1 KiB, too large for a class list</source>
        <translation>它超过 %1 KiB，当班级名单太大了</translation>
    </message>
    <message>
        <source>cannot read it (%1)</source>
        <translation>读不了（%1）</translation>
    </message>
    <message>
        <source>it grew beyond %1 KiB while it was read</source>
        <translation>读的时候它变大了，超过 %1 KiB</translation>
    </message>
</context>
<context>
    <name>OwnMedia</name>
    <message>
        <source>is empty</source>
        <translation>是空的</translation>
    </message>
    <message>
        <source>cannot be read: the sound library (libsndfile) is missing</source>
        <translation>读不了：缺少声音库（libsndfile）</translation>
    </message>
    <message>
        <source>is in a sound format the game cannot play</source>
        <translation>的声音格式游戏放不了</translation>
    </message>
    <message>
        <source>is not a PNG, JPEG or BMP picture</source>
        <translation>不是 PNG、JPEG 或 BMP 图片</translation>
    </message>
    <message>
        <source>is empty or cannot be opened</source>
        <translation>是空的或打不开</translation>
    </message>
    <message>
        <source>is too large (%1 x %2 pixels; 50 million at most)</source>
        <translation>太大（%1 x %2 像素，最多 5000 万像素）</translation>
    </message>
    <message>
        <source>cannot be opened (%1)</source>
        <translation>打不开（%1）</translation>
    </message>
    <message>
        <source>holds only silence</source>
        <translation>里没有声音，只有静音</translation>
    </message>
    <message>
        <source>is longer than %1 seconds: record only the word</source>
        <translation>超过 %1 秒，太长了：请只录这个词</translation>
    </message>
    <message>
        <source>is a phone&apos;s M4A (AAC) recording, which the game cannot read: save it as WAV, FLAC, Ogg or MP3 first</source>
        <translation>是手机的 M4A（AAC）录音，游戏读不了：请先把它另存为 WAV、FLAC、Ogg 或 MP3 再用</translation>
    </message>
    <message>
        <source>is not a sound file the game can read (it reads WAV, FLAC, Ogg, Opus, MP3 and AIFF)</source>
        <translation>不是游戏能读的声音文件（能读 WAV、FLAC、Ogg、Opus、MP3 和 AIFF）</translation>
    </message>
    <message>
        <source>holds too long a word: %1 seconds without the silence around it; a word may take %2 seconds at most</source>
        <translation>里的词太长：去掉前后的静音还有 %1 秒，一个词最多 %2 秒</translation>
    </message>
</context>
<context>
    <name>SetArchive</name>
    <message>
        <source>the archive library (libarchive) is missing</source>
        <translation>缺少压缩包库（libarchive）</translation>
    </message>
    <message>
        <source>There is no word set of your own &apos;%1&apos;.</source>
        <translation>找不到自己的词语组“%1”。</translation>
    </message>
    <message>
        <source>Word set &apos;%1&apos; cannot be exported: %2.</source>
        <translation>词语组“%1”不能导出：%2。</translation>
    </message>
    <message>
        <source>%1 already exists; it was not overwritten.</source>
        <translation>%1 已经存在，没有覆盖它。</translation>
    </message>
    <message>
        <source>Cannot write %1: %2.</source>
        <translation>无法写入 %1：%2。</translation>
    </message>
    <message>
        <source>Cannot replace %1.</source>
        <translation>无法替换 %1。</translation>
    </message>
    <message>
        <source>Cannot write %1.</source>
        <translation>无法写入 %1。</translation>
    </message>
    <message>
        <source>%1 was not imported: %2.</source>
        <translation>没有导入 %1：%2。</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>文件读不了</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>它不是普通文件</translation>
    </message>
    <message>
        <source>the sets&apos; folder cannot be made</source>
        <translation>无法建立词语组文件夹</translation>
    </message>
    <message>
        <source>cannot write to the sets&apos; folder</source>
        <translation>无法写入词语组文件夹</translation>
    </message>
    <message>
        <source>it is not a word set file (zip)</source>
        <translation>它不是词语组文件（zip）</translation>
    </message>
    <message>
        <source>it holds more than %1 entries</source>
        <translation>里面超过 %1 项</translation>
    </message>
    <message>
        <source>it holds a path outside the set&apos;s folder (%1)</source>
        <translation>里面有词语组文件夹以外的路径（%1）</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be a folder name</source>
        <translation>“%1”不能当文件夹名</translation>
    </message>
    <message>
        <source>it holds more than one word set</source>
        <translation>里面不止一个词语组</translation>
    </message>
    <message>
        <source>it holds a link or a special file (%1)</source>
        <translation>里面有链接或特殊文件（%1）</translation>
    </message>
    <message>
        <source>it holds a file a word set should not have (%1)</source>
        <translation>里面有词语组不该有的文件（%1）</translation>
    </message>
    <message>
        <source>it holds %1 twice</source>
        <translation>里面有两个 %1</translation>
    </message>
    <message>
        <source>the file is damaged (%1)</source>
        <translation>文件已损坏（%1）</translation>
    </message>
    <message>
        <source>unpacked, it is over %1 MB</source>
        <translation>解开后超过 %1 MB</translation>
    </message>
    <message>
        <source>%1 is too large</source>
        <translation>%1 太大</translation>
    </message>
    <message>
        <source>the file is damaged or not a word set file</source>
        <translation>文件已损坏或不是词语组文件</translation>
    </message>
    <message>
        <source>it holds no set folder with a words.txt</source>
        <translation>里面没有带 words.txt 的词语组文件夹</translation>
    </message>
    <message>
        <source>there is already a word set &apos;%1&apos;</source>
        <translation>已经有词语组“%1”了</translation>
    </message>
    <message>
        <source>it cannot be put into the sets&apos; folder</source>
        <translation>无法放进词语组文件夹</translation>
    </message>
    <message>
        <source>cannot make the folder %1</source>
        <translation>无法建立文件夹 %1</translation>
    </message>
    <message>
        <source>cannot make a temporary folder in %1</source>
        <translation>无法在 %1 建立临时文件夹</translation>
    </message>
    <message>
        <source>cannot put the set into %1</source>
        <translation>无法把词语组放进 %1</translation>
    </message>
    <message>
        <source>cannot replace word set &apos;%1&apos;</source>
        <translation>无法替换词语组“%1”</translation>
    </message>
</context>
<context>
    <name>SetFiles</name>
    <message>
        <source>the set&apos;s folder is a link or not a folder</source>
        <translation>词语组文件夹是链接或不是文件夹</translation>
    </message>
    <message>
        <source>the set&apos;s folder cannot be opened</source>
        <translation>词语组文件夹打不开</translation>
    </message>
    <message>
        <source>is a link, which the game does not open</source>
        <translation>是链接，游戏不会打开</translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation>不存在</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>读不了</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <source>is too large (over %1)</source>
        <translation>太大（超过 %1）</translation>
    </message>
    <message>
        <source>cannot save %1: %2</source>
        <translation>无法保存 %1：%2</translation>
    </message>
    <message>
        <source>it is a link, left as it is</source>
        <translation>它是链接，没有改动它</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>它不是普通文件</translation>
    </message>
    <message>
        <source>cannot delete %1: %2</source>
        <translation>无法删除 %1：%2</translation>
    </message>
    <message>
        <source>cannot rename %1 to %2: %3</source>
        <translation>无法把 %1 改名为 %2：%3</translation>
    </message>
    <message>
        <source>there are %1 pictures (%2); keep only one</source>
        <translation>有 %1 张图片（%2），请只留一张</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between file names</comment>
        <translation>、</translation>
    </message>
    <message>
        <source>there are %1 recordings (%2); keep only one</source>
        <translation>有 %1 个录音（%2），请只留一个</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between problems</comment>
        <translation>，</translation>
    </message>
    <message>
        <source>words.txt is neither UTF-8 nor GBK text; the game has not read it and will not change it</source>
        <translation>words.txt 既不是 UTF-8 也不是 GBK 文字，游戏没有读它，也不会改动它</translation>
    </message>
</context>
<context>
    <name>SetReader</name>
    <message>
        <source>picture %1 %2</source>
        <translation>图片 %1 %2</translation>
    </message>
    <message>
        <source>no recording %1</source>
        <translation>没有录音 %1</translation>
    </message>
    <message>
        <source>recording %1 %2</source>
        <translation>录音 %1 %2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>，</translation>
    </message>
    <message>
        <source>words.txt is too large (over 64 KB)</source>
        <translation>words.txt 太大（超过 64 KB）</translation>
    </message>
    <message>
        <source>line %1 is empty</source>
        <translation>第 %1 行是空行</translation>
    </message>
    <message>
        <source>line %1 is too long (%2 characters)</source>
        <translation>第 %1 行太长（%2 个字符）</translation>
    </message>
    <message>
        <source>line %1 holds a control character</source>
        <translation>第 %1 行含有控制字符</translation>
    </message>
    <message>
        <source>line %1 repeats line %2 (&apos;%3&apos;)</source>
        <translation>第 %1 行和第 %2 行重复（“%3”）</translation>
    </message>
    <message>
        <source>line %1 (&apos;%2&apos;) is too wide for the word box</source>
        <translation>第 %1 行（“%2”）太宽，词语框放不下</translation>
    </message>
    <message>
        <source>and %1 more problems</source>
        <translation>另有 %1 处问题</translation>
    </message>
    <message>
        <source>words.txt has %1 words, </source>
        <translation>words.txt 有 %1 个词，</translation>
    </message>
    <message>
        <source>a set needs at least %1</source>
        <translation>一组至少要 %1 个</translation>
    </message>
    <message>
        <source>a set takes at most %1</source>
        <translation>一组最多 %1 个</translation>
    </message>
    <message>
        <source>; </source>
        <translation>；</translation>
    </message>
    <message>
        <source>only %1 words can be used, a set needs at least %2</source>
        <translation>只有 %1 个词能用，一组至少要 %2 个</translation>
    </message>
    <message>
        <source>&apos;%1&apos;: %2</source>
        <translation>“%1”：%2</translation>
    </message>
    <message>
        <source>the set&apos;s folder is a link or not a folder; the game does not open it</source>
        <translation>词语组文件夹是链接或不是文件夹，游戏不会打开</translation>
    </message>
    <message>
        <source>the set has no words.txt</source>
        <translation>词语组里没有 words.txt</translation>
    </message>
    <message>
        <source>words.txt %1</source>
        <translation>words.txt %1</translation>
    </message>
    <message>
        <source>the folder name &apos;%1&apos; cannot be used: rename the folder%2; a folder name takes only English letters, digits and -, at least one letter, and is not tricky</source>
        <translation>文件夹名“%1”不能用，请给文件夹改个名字%2：只能用英文字母、数字和 -，至少一个字母，不能是 tricky</translation>
    </message>
    <message>
        <source> (for example %1)</source>
        <translation>（比如 %1）</translation>
    </message>
    <message>
        <source>no picture %1, %2 or %3</source>
        <translation>没有图片 %1、%2 或 %3</translation>
    </message>
</context>
</TS>
