// The draw, the exclusion list and the lookups of the thread draw's window.
#include "threaddraw/draw.h"
#include "threaddraw/floor_draw.h"
#include "threaddraw/form1.h"
#include "threaddraw/lookups.h"
#include "threaddraw/page_fetch.h"

#include "platform/numbers.h"
#include "platform/time_text.h"

namespace threaddraw {

void Form1::loadids()
{
    const Page page = GetPage(settings.exclusionAddress, pageRule());
    if (!page.failed)
        ids = cutExclusionList(page.text);
    idsPending_ = false;
}

void Form1::Command2_Click()
{
    const double lo = platform::leadingNumber(Text2[0]->text());
    const double hi = platform::leadingNumber(Text2[1]->text());
    const DrawResult r = drawFloor(cubers, lo, hi, Exclusions(settings.fixedIds, ids), rnd);
    List3->addListItem(kLogSeparator);
    if (r.kind == DrawResult::Kind::NothingToDraw) {
        logLine(platform::timeText() + QStringLiteral(" ！抽奖→范围内无可抽取楼层"));
        return;
    }
    const QString n = numberText(r.n);
    if (r.kind == DrawResult::Kind::NotFound) {
        logLine(platform::timeText() + QStringLiteral(" ！抽奖→") + n + QStringLiteral("楼，未找到该楼层"));
        return;
    }
    const QString a = cubers.slot(r.slot).id;
    logLine(platform::timeText() + QStringLiteral(" 抽奖→") + cubers.slot(r.slot).floor + QStringLiteral("楼 ") + a);
    Text3->setText(a);
    const int32_t c = cubers.findCF(a);
    Text4->setText(Text4->text() + winnerText(n, a, c));
    Text4->moveCaretToEnd();
    Text4->setFocus();
    Command3_Click(1);
}

void Form1::Command3_Click(int index)
{
    const QString query = Text3->text();
    if (query == kHiddenCode) {
        Label2->setCaption(hiddenCaption(ids));
        fitLabel2();
        return;
    }
    if (index == 0 || index == 1) {
        if (const auto line = lookupLine(cubers, query, index == 0))
            logLine(*line);
    } else if (index == 2) {
        fetchProfile();
    }
}

}  // namespace threaddraw
