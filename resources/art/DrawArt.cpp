// tessaline-draw-art FOLDER: draws the program icon (48, 32, 24 and 16 px) and the link label's
// pointing hand (32 x 32, monochrome) into FOLDER. The images are kept in resources/; run this
// only to change them:
//   cmake --build BUILD --target tessaline-draw-art && BUILD/tessaline-draw-art resources

#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace {

// The icon: a text page cut into three numbered slices that slide apart to the right.
QImage DrawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 48.0, size / 48.0);

    const QColor slices[] = {QColor(0x1f, 0x6f, 0xb2), QColor(0x1a, 0x9a, 0x8c), QColor(0xe0, 0x8a, 0x1e)};
    const double pen = size <= 16 ? 2.4 : size <= 24 ? 1.8 : 1.4;  // thin lines vanish when small
    for (int i = 0; i < 3; ++i) {
        const QRectF slice(4 + 4.5 * i, 4 + 14 * i, 34, 12);
        painter.setPen(QPen(slices[i].darker(140), pen));
        painter.setBrush(slices[i]);
        painter.drawRoundedRect(slice, 2.5, 2.5);
        // Two lines of "text" on every slice; the second is shorter, like a paragraph's end.
        painter.setPen(QPen(QColor(255, 255, 255, 230), pen * 1.4, Qt::SolidLine, Qt::RoundCap));
        const double y1 = slice.top() + 4, y2 = slice.top() + 8;
        painter.drawLine(QPointF(slice.left() + 5, y1), QPointF(slice.right() - 5, y1));
        painter.drawLine(QPointF(slice.left() + 5, y2), QPointF(slice.right() - 13, y2));
    }
    return image;
}

// The pointing hand, pixel by pixel: '#' black, 'o' white, '.' transparent. The index finger
// points up with its tip at (12, 4); the other fingers are curled, the thumb folded in.
constexpr const char* kPointingHand[32] = {
    "................................",
    "................................",
    "................................",
    "................................",
    "...........###..................",
    "..........#ooo#.................",
    "..........#ooo#.................",
    "..........#ooo#.................",
    "..........#ooo#.................",
    "..........#ooo#.................",
    "..........#ooo#.................",
    "..........#ooo####..............",
    "..........#ooo#ooo####..........",
    "..........#ooo#ooo#ooo###.......",
    "..........#ooo#ooo#ooo#oo#......",
    "......#####ooo#ooo#ooo#oo#......",
    ".....#oooo#ooo#ooo#ooo#oo#......",
    ".....#oooo#ooo#ooo#ooo#oo#......",
    ".....#ooooooooooooooooooo#......",
    "......#oooooooooooooooooo#......",
    ".......#ooooooooooooooooo#......",
    "........#oooooooooooooooo#......",
    "........#oooooooooooooooo#......",
    "........#ooooooooooooooo#.......",
    ".........#oooooooooooooo#.......",
    ".........################.......",
    ".........#oooooooooooooo#.......",
    ".........#oooooooooooooo#.......",
    ".........################.......",
    "................................",
    "................................",
    "................................",
};

// The hand as a monochrome image: a palette of transparent, black and white.
QImage DrawPointingHand()
{
    QImage image(32, 32, QImage::Format_Indexed8);
    image.setColorTable({qRgba(0, 0, 0, 0), qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const char pixel = kPointingHand[y][x];
            image.setPixel(x, y, pixel == '#' ? 1 : pixel == 'o' ? 2 : 0);
        }
    return image;
}

bool Save(const QImage& image, const QDir& folder, const QString& name)
{
    const QString path = folder.filePath(name);
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "tessaline-draw-art: cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tessaline-draw-art FOLDER\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool saved = true;
    for (const int size : {48, 32, 24, 16})
        saved = Save(DrawIcon(size), folder, QString("tessaline-%1.png").arg(size)) && saved;
    saved = Save(DrawPointingHand(), folder, "pointing-hand.png") && saved;
    return saved ? 0 : 1;
}
