// The cost estimate beside the pattern size and the size estimate for the
// funds; the arithmetic lives in mosaic/estimates.h.
#include "mosaic/estimates.h"
#include "mosaic/form1_base.h"

namespace mosaic {

void Form1Base::Text1_Change()
{
    if (const std::optional<QString> caption = costCaption(Text1->text(), Text2->text()))
        Label13->setCaption(*caption);
}

void Form1Base::Text2_Change()
{
    Text1_Change();
}

void Form1Base::Text8_Change()
{
    const std::optional<QString> caption =
        sizeCaption(Text8->text(), float(Picture1->imageWidth()), float(Picture1->imageHeight()));
    if (caption)
        Label12->setCaption(*caption);
}

}  // namespace mosaic
