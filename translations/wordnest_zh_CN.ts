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
        <source>List the word sets, one a line: ID, Chinese name, English name (tab-separated), and exit.</source>
        <translation>列出词语组，一行一个：ID、中文名、英文名（用制表符隔开），然后退出。</translation>
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
</TS>
