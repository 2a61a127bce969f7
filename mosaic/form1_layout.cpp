// Edition 1.0's layout table: every control's place in twips.
#include "mosaic/form1.h"

#include <QFontMetrics>

namespace mosaic {

using namespace platform;

namespace {

// Spaces out the characters of a caption "A  ...  B" standing at the left of
// A's box, so that B starts at the left of its box: each glyph stands over
// its box at any font.
void spreadOverBoxes(Label* caption, const QWidget* second)
{
    const QString text = caption->text();
    const qsizetype last = text.size() - 1;  // B, the caption's last character
    if (last <= 0)
        return;
    QFont font = caption->font();
    const int advance = QFontMetrics(font).horizontalAdvance(text.left(last));
    const int wanted = second->x() - caption->x();
    font.setLetterSpacing(QFont::AbsoluteSpacing, qreal(wanted - advance) / qreal(last));
    caption->setFont(font);
}

}  // namespace

void Form1::placeControls()
{
    placeAll({
        {Label4, 120, 30, 3900, 270},
        {Picture1, 120, 300, 3900, 3705},
        // Frame1 "图形设定"
        {Frame1, 4260, 60, 4590, 2550},
        {Label1, 150, 315, 1950, 270},
        {Text1, 150, 570, 900, 300},
        {Text2, 1200, 570, 900, 300},
        {Label5, 2250, 315, 1200, 270},
        {Text6, 2250, 570, 600, 300},
        {Check1, 3000, 570, 780, 300},
        {Text5, 3810, 570, 600, 300},
        {Check3, 150, 930, 1500, 300},
        {Text7, 1680, 930, 450, 300},
        {Label6, 2190, 960, 300, 270},
        {Label2, 150, 1770, 1200, 270},
        {Label13, 2640, 930, 1860, 750},
        // Frame2 "配色设定"
        {Frame2, 4260, 2670, 2250, 1560},
        {Check2, 120, 300, 1950, 240},
        // Frame6 "色彩调整"
        {Frame6, 6600, 2670, 2250, 2250},
        {Label8, 120, 330, 900, 270},
        {Label7, 1050, 300, 1080, 270},
        {Label9, 120, 645, 900, 270},
        {Combo2, 1050, 615, 1080, 300},
        {Label10, 120, 960, 900, 270},
        {Text4, 1050, 930, 450, 300},
        {Command3, 1560, 930, 570, 300},
        {Option1[0], 120, 1260, 900, 270},
        {Option1[1], 1050, 1260, 1140, 270},
        {Combo3, 120, 1560, 960, 300},
        {Command7[0], 1140, 1560, 300, 300},
        {Command7[1], 1470, 1560, 300, 300},
        {Command4[1], 120, 1875, 900, 300},
        // Frame5 "图像效果"
        {Frame5, 120, 4020, 4020, 1740},
        {picCurve, 60, 210, 1515, 1515},
        {Command4[0], 2820, 1335, 1080, 330},
        // Frame3 "图像生成"
        {Frame3, 4260, 4320, 2250, 1410},
        {Command2, 120, 300, 2010, 330},
        {Command1, 120, 660, 960, 330},
        {Command6, 1170, 660, 960, 330},
        {Text9, 120, 1020, 2010, 300},
        // Frame4 "投资概预算", below the client area
        {Frame4, 4260, 6210, 4590, 960},
        {Label11, 120, 360, 900, 270},
        {Text8, 1050, 330, 900, 300},
        {Label12, 2040, 315, 2460, 570},
        {Label14, 120, 6210, 1800, 270},
        // Right of the client area
        {PicBACK, 11190, 0, 3900, 3705},
        {Picture2[0], 11250, 0, 240, 240},
    });
    for (int i = 0; i < 6; ++i)
        placeTwips(Text3[i], 150 + i * 720, 2070, 660, 300);
    for (int i = 0; i < 6; ++i)
        placeTwips(Combo1[i], 120 + (i % 2) * 1050, 555 + (i / 2) * 315, 990, 300);
    for (int i = 0; i < effectCount(); ++i)
        placeTwips(Command5[i], 1680 + (i / 4) * 1140, 300 + (i % 4) * 345, 1080, 330);
    // The brush width's sample line, across the right of the width buttons.
    Line1->setPoints(twipsToPixels(1860), twipsToPixels(1710), twipsToPixels(2130), twipsToPixels(1710));
    spreadOverBoxes(Label1, Text2);
}

}  // namespace mosaic
