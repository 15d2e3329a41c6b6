#include "children/refusaltext.h"

QString refusalText(ChildList::Refusal refusal, const QString &name)
{
    using Refusal = ChildList::Refusal;
    switch (refusal) {
    case Refusal::None:
        return {};
    case Refusal::BadName:
        return children::chineseReason(children::nameProblem(children::trimmedName(name)));
    case Refusal::NameTaken:
        return QStringLiteral("已经有一个叫这个名字的孩子。");
    case Refusal::PictureTaken:
        return QStringLiteral("这张图片刚刚给了别的孩子，请换一张。");
    case Refusal::Full:
        return QStringLiteral("最多只能有 %1 个孩子。").arg(ChildList::most);
    case Refusal::Unknown:
        return QStringLiteral("这个孩子已经不在名单上了。");
    case Refusal::NotSaved:
        return QStringLiteral("没能保存：设置文件写不进去，或者正被占用。请稍后再试。");
    }
    return {};
}
