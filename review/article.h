// The review article: built from the fixed sentence stock and the option
// values alone, so the same options always give the same text.
#pragma once

#include "review/option_set.h"

#include <QString>
#include <array>

namespace review {

// Everything the article reads: the option values and the texts the lists
// show (empty where no item is chosen).
struct ArticleInput {
    OptionValues values;
    std::array<QString, kListCount> listTexts;
};

// The input for values whose lists show their own item texts.
ArticleInput articleInputOf(const OptionValues& values);

// The whole article: lines separated by CR LF, no final line break.
QString writeArticle(const ArticleInput& input);

}  // namespace review
