// The fixed sentence stock of the review article (UTF-8). A sentence with
// texts inserted into it is an array of the pieces around the insertions.
#pragma once

namespace review {

extern const char* const kHeadingEnd;
// Style paragraphs.
extern const char* const kModest[2];
extern const char* const kReviewHere;
extern const char* const kReviewHereEnd;
extern const char* const kCorrectMe;
extern const char* const kTitleDoubt[4];
extern const char* const kLavish[5];
// First impressions.
extern const char* const kImpressionTitle[2];
extern const char* const kFirstFeel[3];
extern const char* const kTestSolves[3];
extern const char* const kTestedPerformance[2];
extern const char* const kSize[2];
extern const char* const kWeight[2];
extern const char* const kAddWeights;
extern const char* const kBodyMaterial[2];
extern const char* const kColoursHelp;
extern const char* const kColoursHinder;
extern const char* const kHandling[3];
extern const char* const kComma;
extern const char* const kFullStop;
// Appearance.
extern const char* const kAppearance;
extern const char* const kSeamless;
extern const char* const kSpliced[4];
extern const char* const kBurrsSeamless;
extern const char* const kBurrs;
extern const char* const kMottled;
extern const char* const kNoStickers;
extern const char* const kTiles[5];
extern const char* const kStickers[6];
extern const char* const kStickersOrTiles[6];
// Performance: tolerance sentences by key 0, 1, 2, 10, 11, 12, 20, 21, 22;
// rating rows for the lists 19, 20, 21, 22, 23, 24, 26, 25, by item 0..2.
extern const char* const kPerformance;
extern const char* const kTolerance[9];
extern const char* const kRatings[8][3];
// Structure.
extern const char* const kStructure;
extern const char* const kEdgeDesign[2];
extern const char* const kContactFace[2];
extern const char* const kListSeparator;
extern const char* const kEdgeLock[2];
extern const char* const kEdgeChamfer;
extern const char* const kCutSeparator;
extern const char* const kCutNone;
extern const char* const kCutForm;
extern const char* const kCutCombined;
extern const char* const kCutSingle;
extern const char* const kCornerDesign[2];
extern const char* const kCornerLock[3];
extern const char* const kCornerTwist;
extern const char* const kCornerChamfer;
// Core.
extern const char* const kCore;
extern const char* const kCenter[2];
extern const char* const kEdgeRecess;
extern const char* const kSpringHousing[3];
extern const char* const kSpringConfig[3];
extern const char* const kPositioning[2];

}  // namespace review
