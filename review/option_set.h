// The 87 options of the review form (6 texts, 36 lists, 45 check boxes):
// their captions, list items and initial values, and one set of values.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace review {

constexpr int kTextCount = 6;
constexpr int kListCount = 36;
constexpr int kCheckCount = 45;
constexpr int kOptionCount = kTextCount + kListCount + kCheckCount;
constexpr int kLabelCount = 50;

extern const char* const kWindowTitle;
extern const char* const kGroupCaptions[7];
extern const char* const kTextCaptions[kTextCount];
extern const int kTextLabels[kTextCount];  // Label1 index of each caption
extern const char* const kTextInitial[kTextCount];
extern const char* const kListCaptions[kListCount];  // empty: no caption
extern const int kListLabels[kListCount];  // -1: no caption label
extern const std::vector<const char*> kListItems[kListCount];
extern const char* const kCheckCaptions[kCheckCount];
extern const int16_t kCheckInitial[kCheckCount];
// Bold sub-headings, named by their Label1 index.
extern const char* const kHeading21;
extern const char* const kHeading23;
extern const char* const kHeading24;
extern const char* const kHeading28;
extern const char* const kHeading43;
extern const char* const kHeading46;
// Row labels of the two structure frames, top to bottom.
extern const char* const kFrameRows[3];

// The values of all options: texts, list indices (-1 none) and check
// values (0 clear, 1 ticked, 2 greyed).
struct OptionValues {
    std::array<QString, kTextCount> texts;
    std::array<int16_t, kListCount> lists{};
    std::array<int16_t, kCheckCount> checks{};
    bool operator==(const OptionValues& other) const;
};

// The options as the form starts: initial texts and checks, item 0 of every list.
OptionValues defaultOptions();

// Text of an item of a list; empty for -1 or an index beyond the list.
QString listItemText(int list, int index);

// The texts the lists show for the given values.
std::array<QString, kListCount> shownListTexts(const OptionValues& values);

}  // namespace review
