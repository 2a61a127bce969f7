#include "review/article.h"

#include "review/sentences.h"
#include "platform/numbers.h"

#include <initializer_list>
#include "platform/u8.h"

namespace review {

namespace {

using platform::u8;

// Builds the article the way the output box receives it: addLine starts a
// new line, addText continues the last one.
class ArticleWriter {
public:
    explicit ArticleWriter(const ArticleInput& input) : in_(input) {}

    QString write();

private:
    QString T(int i) const { return in_.values.texts[size_t(i)]; }
    QString C(int i) const { return in_.listTexts[size_t(i)]; }
    int16_t L(int i) const { return in_.values.lists[size_t(i)]; }
    int16_t K(int i) const { return in_.values.checks[size_t(i)]; }

    void addText(const QString& text) { article_ += text; }
    void addLine(const QString& text) { article_ += QStringLiteral("\r\n") + text; }

    QString joinTicked(std::initializer_list<int> boxes, const char* separator) const;
    void addCutFaces(std::initializer_list<int> boxes);

    void writeStyle();
    void writeImpressions();
    void writeAppearance();
    void writePerformance();
    void writeStructure();
    void writeCore();

    const ArticleInput& in_;
    QString article_;
};

// Captions of the ticked boxes, each followed by the separator, with the
// last separator removed.
QString ArticleWriter::joinTicked(std::initializer_list<int> boxes, const char* separator) const
{
    QString list;
    for (int box : boxes)
        if (K(box) == 1)
            list += u8(kCheckCaptions[box]) + u8(separator);
    if (!list.isEmpty())
        list.chop(1);
    return list;
}

void ArticleWriter::addCutFaces(std::initializer_list<int> boxes)
{
    const QString list = joinTicked(boxes, kCutSeparator);
    if (list.isEmpty())
        addText(u8(kCutNone));
    else if (list.size() > 5)
        addText(u8(kCutForm) + list + u8(kCutCombined));
    else
        addText(u8(kCutForm) + list + u8(kCutSingle));
}

void ArticleWriter::writeStyle()
{
    const QString reviewHere = u8(kReviewHere) + T(2) + T(0) + u8(kReviewHereEnd);
    switch (L(0)) {
    case 0:
        addLine(u8(kModest[0]));
        addLine(u8(kModest[1]));
        addLine(reviewHere);
        addLine(u8(kCorrectMe));
        break;
    case 1:
        if (!T(1).isEmpty())
            addLine(u8(kTitleDoubt[0]) + T(1) + u8(kTitleDoubt[1]) + T(1) + u8(kTitleDoubt[2]) + T(1) +
                    u8(kTitleDoubt[3]));
        addLine(reviewHere);
        addLine(u8(kCorrectMe));
        break;
    case 2:
        addLine(u8(kLavish[0]) + T(0) + u8(kLavish[1]) + T(2) + u8(kLavish[2]) + T(1) + u8(kLavish[3]) + T(0) +
                u8(kLavish[4]));
        break;
    default:
        break;
    }
}

void ArticleWriter::writeImpressions()
{
    if (!T(1).isEmpty())
        addLine(u8(kImpressionTitle[0]) + T(1) + u8(kImpressionTitle[1]));
    addLine(u8(kFirstFeel[0]) + C(1) + u8(kFirstFeel[1]) + C(2) + u8(kFirstFeel[2]));
    addLine(u8(kTestSolves[0]) + T(5) + u8(kTestSolves[1]) + T(2) + u8(kTestSolves[2]));
    addLine(u8(kTestedPerformance[0]) + T(0) + u8(kTestedPerformance[1]));
    if (!T(3).isEmpty())
        addLine(T(0) + u8(kSize[0]) + T(3) + u8(kSize[1]));
    if (!T(4).isEmpty())
        addText(u8(kWeight[0]) + T(4) + u8(kWeight[1]));
    if (K(5) == 1)
        addText(u8(kAddWeights));
    if (L(15) > 0)
        addText(T(0) + u8(kBodyMaterial[0]) + C(15) + u8(kBodyMaterial[1]));
    if (L(3) == 0)
        addLine(T(0) + u8(kColoursHelp));
    else if (L(3) == 2)
        addLine(T(0) + u8(kColoursHinder));
    const QString burst = L(5) != 2 ? u8(kComma) + C(5) + u8(kFullStop) : u8(kFullStop);
    addText(u8(kHandling[0]) + C(4) + burst + u8(kHandling[1]) + C(6) + u8(kHandling[2]));
}

void ArticleWriter::writeAppearance()
{
    addLine(u8(kAppearance));
    if (K(0) == 1)
        addLine(T(0) + u8(kSeamless));
    if (K(1) == 1)
        addLine(T(0) + u8(kSpliced[0]) + C(7) + u8(kSpliced[1]) + C(8) + u8(kSpliced[2]) + C(9) + u8(kSpliced[3]));
    if (K(2) == 1)
        addLine(u8(K(0) == 1 ? kBurrsSeamless : kBurrs));
    if (K(40) == 1)
        addLine(u8(kMottled));
    const int16_t stickerKey = platform::toInt16(K(3) * 10.0 + K(4));
    switch (stickerKey) {
    case 0:
        addLine(T(0) + u8(kNoStickers));
        break;
    case 1:
        addLine(T(0) + u8(kTiles[0]) + C(11) + u8(kTiles[1]) + C(10) + u8(kTiles[2]) + C(13) + u8(kTiles[3]) +
                C(14) + u8(kTiles[4]));
        break;
    case 10:
    case 11: {
        const char* const* s = stickerKey == 10 ? kStickers : kStickersOrTiles;
        addLine(T(0) + u8(s[0]) + C(11) + u8(s[1]) + C(10) + u8(s[2]) + C(13) + u8(s[3]) + C(12) + u8(s[4]) + C(14) +
                u8(s[5]));
        break;
    }
    default:
        break;
    }
}

void ArticleWriter::writePerformance()
{
    addLine(u8(kPerformance));
    static const int toleranceKeys[9] = {0, 1, 2, 10, 11, 12, 20, 21, 22};
    const int16_t key = platform::toInt16(L(16) * 10.0 + L(17));
    for (int k = 0; k < 9; ++k)
        if (key == toleranceKeys[k])
            addLine(T(0) + u8(kTolerance[k]) + C(18) + u8(kFullStop));
    static const int ratedLists[8] = {19, 20, 21, 22, 23, 24, 26, 25};
    for (int row = 0; row < 8; ++row) {
        const int16_t rating = L(ratedLists[row]);
        if (rating < 0 || rating > 2)
            continue;
        const QString sentence = u8(kRatings[row][rating]);
        if (row == 0)
            addLine(sentence);
        else
            addText(sentence);
    }
}

void ArticleWriter::writeStructure()
{
    addLine(u8(kStructure));
    if (K(12) == 1) {
        addLine(T(1) + u8(kEdgeDesign[0]) + C(34) + u8(kEdgeDesign[1]));
        const QString contact = joinTicked({13, 14, 15, 16, 17, 18, 41}, kListSeparator);
        if (!contact.isEmpty())
            addText(u8(kContactFace[0]) + contact + u8(kContactFace[1]));
        const QString locks = joinTicked({19, 20, 43}, kListSeparator);
        if (!locks.isEmpty())
            addText(u8(kEdgeLock[0]) + locks + u8(kEdgeLock[1]));
        addText(u8(kEdgeChamfer) + C(27));
        addCutFaces({21, 22, 23, 24});
    }
    if (K(36) == 1) {
        addLine(T(1) + u8(kCornerDesign[0]) + C(35) + u8(kCornerDesign[1]));
        const QString contact = joinTicked({30, 31, 32, 33, 34, 35, 42}, kListSeparator);
        if (!contact.isEmpty())
            addText(u8(kContactFace[0]) + contact + u8(kContactFace[1]));
        const QString locks = joinTicked({29, 28, 44}, kListSeparator);
        if (!locks.isEmpty())
            addText(u8(kCornerLock[0]) + locks + u8(kCornerLock[1]) + (L(26) < 3 ? u8(kCornerTwist) : QString()) +
                    u8(kCornerLock[2]));
        addText(u8(kCornerChamfer) + C(28));
        addCutFaces({25, 26, 27, 37});
    }
}

void ArticleWriter::writeCore()
{
    addLine(u8(kCore));
    if (L(29) < 2)
        addLine(u8(kCenter[0]) + C(29) + u8(kCenter[1]));
    if (platform::toInt16(double(K(38)) + K(39)) == 2)
        addText(u8(kEdgeRecess));
    if (L(30) >= 0 && L(30) <= 2)
        addText(u8(kSpringHousing[L(30)]));
    addText(u8(kSpringConfig[0]) + C(33) + u8(kSpringConfig[1]) + C(32) + u8(kSpringConfig[2]));
    if (L(31) > 0)
        addText(u8(kPositioning[0]) + C(31) + u8(kPositioning[1]));
}

QString ArticleWriter::write()
{
    article_ = T(1) + T(0) + u8(kHeadingEnd);
    writeStyle();
    writeImpressions();
    writeAppearance();
    writePerformance();
    writeStructure();
    writeCore();
    return article_;
}

}  // namespace

ArticleInput articleInputOf(const OptionValues& values)
{
    return ArticleInput{values, shownListTexts(values)};
}

QString writeArticle(const ArticleInput& input)
{
    return ArticleWriter(input).write();
}

}  // namespace review
