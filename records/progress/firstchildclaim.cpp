#include "progress/firstchildclaim.h"

#include <QSettings>
#include <QSqlQuery>
#include <QVariant>

namespace {

const QString claimKey = QStringLiteral("progress/firstChildClaim");

QSettings gameSettings()
{
    return QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest"));
}

} // namespace

void FirstChildClaim::make(int child, const QString &recordPath)
{
    const FirstChildClaim claim{child, recordTimeNow()};
    {
        QSettings settings = gameSettings();
        settings.setValue(claimKey, QStringList{QString::number(child), claim.before});
        settings.sync();
    }
    ProgressConnection record;
    switch (record.open(recordPath, ProgressConnection::Mode::Read)) {
    case ProgressConnection::State::Missing:
        claim.done();  // nothing was recorded before
        break;
    case ProgressConnection::State::Ready:
        if (claim.carryOut(record.db()))
            claim.done();
        break;
    default:
        break;  // the recorder carries it out
    }
}

FirstChildClaim FirstChildClaim::waiting()
{
    const QStringList noted = gameSettings().value(claimKey).toStringList();
    if (noted.size() != 2 || noted[0].toInt() <= 0)
        return {};
    return {noted[0].toInt(), noted[1]};
}

bool FirstChildClaim::carryOut(QSqlDatabase &db, QSqlError *error) const
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE games SET child = ? WHERE child = 0 AND started <= ?"));
    query.addBindValue(child);
    query.addBindValue(before);
    if (query.exec())
        return true;
    if (error)
        *error = query.lastError();
    return false;
}

void FirstChildClaim::done() const
{
    QSettings settings = gameSettings();
    const FirstChildClaim now = waiting();
    if (now.child == child && now.before == before)
        settings.remove(claimKey);
}
