#include "mosaic/builtin_pictures.h"

#include <QPainter>
#include <QPixmap>

namespace mosaic {

namespace {

const QRgb kShades[9] = {qRgb(199, 27, 39), qRgb(0, 165, 0),     qRgb(0, 0, 255),
                         qRgb(255, 255, 255), qRgb(255, 128, 0), qRgb(222, 222, 0),
                         qRgb(0, 165, 0),     qRgb(199, 27, 39), qRgb(255, 255, 255)};

void drawFace(QImage& img, int margin, int gap)
{
    img.fill(qRgb(0, 0, 0));
    const int cellW = (img.width() - 2 * margin - 2 * gap) / 3;
    const int cellH = (img.height() - 2 * margin - 2 * gap) / 3;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const int x0 = margin + col * (cellW + gap);
            const int y0 = margin + row * (cellH + gap);
            for (int y = y0; y < y0 + cellH; ++y)
                for (int x = x0; x < x0 + cellW; ++x)
                    img.setPixel(x, y, kShades[row * 3 + col]);
        }
}

}  // namespace

QImage startPicture()
{
    QImage img(260, 247, QImage::Format_RGB32);
    drawFace(img, 8, 6);
    return img;
}

QIcon windowIconPicture()
{
    QImage img(32, 32, QImage::Format_RGB32);
    drawFace(img, 2, 1);
    return QIcon(QPixmap::fromImage(img));
}

}  // namespace mosaic
