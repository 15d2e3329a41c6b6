#pragma once

#include "progress/progressdatabase.h"
#include "wordsets/wordsets.h"

#include <QList>

#include <memory>

// The words a child finds hardest, drawn from their answers in the progress
// record (with no child, from the answers of no child): the twenty
// with the lowest first-try rate among the words asked at least three times,
// from any set the game knows, each word text once. The words are read when
// the set is made and stay as they are. Each word keeps its own set's picture,
// recording and key, so its answers count for its own set.
class TrickyWordSet final : public WordSource
{
public:
    static inline const QString setId = QStringLiteral("tricky");
    static constexpr int fewest = 10; // a round shows ten different words
    static constexpr int most = 20;
    static constexpr int timesAsked = 3;

    TrickyWordSet(const WordSets &sets, int child, const QString &recordPath = defaultProgressPath());

    // Enough words for a round.
    bool playable() const override { return picks.size() >= fewest; }
    int wordCount() const { return int(picks.size()); }
    // In plain Chinese: how many words are still missing.
    QString shortfall() const;
    // Drawn again for the same child from the same sets and record, as a new game starts.
    std::shared_ptr<const TrickyWordSet> redrawn() const;

    QString id() const override { return setId; }
    QString chineseName() const override { return QStringLiteral("难记的词"); }
    QString englishName() const override { return QStringLiteral("Tricky words"); }
    qint16 boardNumber() const override;
    QStringList words() const override;
    PictureArt picture(int word) const override;
    PictureFile pictureFile(int word) const override;
    QByteArray recording(int word) const override;
    QString meaning(int word) const override;
    WordKey key(int word) const override;

private:
    struct Pick
    {
        WordSets::Set set;
        int index;
    };
    WordSets sources;
    int child;
    QString progressFile;
    QList<Pick> picks;
};
