// Edition 0.9's layout table: every control's place in twips.
#include "mosaic09/form1.h"

namespace mosaic09 {

using namespace platform;

void Form1::placeControls()
{
    placeAll({
        {Frame1, 60, 60, 3105, 2505},
        {Frame2, 3180, 60, 1695, 2505},
        {Frame3, 60, 2580, 4815, 1455},
        {Frame4, 60, 4080, 1695, 1245},
        {Command2, 1860, 4140, 975, 315},
        {Command1, 2880, 4140, 975, 315},
        {Command6, 2880, 4530, 975, 315},
        {Text9, 3900, 4530, 975, 315},
        {Label4, 4950, 60, 1440, 180},
        {Picture1, 4950, 300, 3930, 3735},
        {Label14, 120, 6210, 1800, 270},
        // Frame1 "图形设定": the cost takes the right of the top rows, three
        // lines up to "CNY 99999999.99".
        {Label1, 120, 300, 1260, 240},
        {Text1, 120, 540, 600, 300},
        {Text2, 750, 540, 600, 300},
        {Label13, 1410, 300, 1650, 660},
        {Label5, 120, 990, 750, 240},
        {Text6, 870, 960, 450, 300},
        {Check1, 1440, 960, 750, 300},
        {Text5, 2220, 960, 540, 300},
        {Check3, 120, 1350, 1260, 300},
        {Text7, 1410, 1350, 360, 300},
        {Label6, 1800, 1380, 210, 240},
        {Label2, 120, 1740, 900, 240},
        // Frame2 "配色设定": one column, wide enough for every shade name.
        {Check2, 90, 300, 1500, 255},
        // Frame3 "色彩调整": the six effects and "还原" left, the colour
        // replace right.
        {Command4, 120, 1020, 720, 330},
        {Label8, 2580, 360, 900, 240},
        {Label7, 3540, 330, 1140, 270},
        {Label9, 2580, 720, 900, 240},
        {Combo2, 3540, 690, 1140, 300},
        {Label10, 2580, 1080, 900, 240},
        {Text4, 3540, 1050, 510, 300},
        {Command3, 4110, 1050, 570, 300},
        // Frame4 "投资概预算", visible in this edition.
        {Label11, 90, 360, 750, 240},
        {Text8, 840, 330, 750, 300},
        {Label12, 90, 660, 1500, 510},
    });
    for (int i = 0; i < 6; ++i)
        placeTwips(Text3[i], 120 + i * 480, 2010, 450, 300);
    for (int i = 0; i < 6; ++i)
        placeTwips(Combo1[i], 75, 570 + i * 315, 1545, 300);
    for (int i = 0; i < effectCount(); ++i)
        placeTwips(Command5[i], 120 + (i % 3) * 780, 300 + (i / 3) * 360, 720, 330);
}

}  // namespace mosaic09
