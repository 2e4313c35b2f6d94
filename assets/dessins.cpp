// SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every picture of the game: the hangman stages, the victory picture,
// the desert shown at start, the two window icons and the application icon
// of the desktop menus. Each picture also comes as "name@2x" drawn at twice
// the size, for screens whose pixel ratio is 2.
// Usage: gibetto_dessins jeu|integres DIR
//        gibetto_dessins icones DIR ID  (writes DIR/NxN/apps/ID.png)

#include <QDir>
#include <QCoreApplication>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTextStream>
#include <cmath>

namespace {

const QSize pictureSize(240, 330);
const int stageCount = 8;

const QColor ink(60, 42, 36);
const QColor wood(184, 122, 66);
const QColor woodDark(120, 74, 36);
const QColor ropeColour(226, 190, 112);
const QColor skin(255, 218, 180);
const QColor cheeks(250, 150, 150);
const QColor shirt(234, 74, 62);
const QColor trousers(66, 100, 196);
const QColor shoes(74, 58, 52);

// Every drawing is made in the coordinates of the plain picture; a ratio of 2
// makes QPainter lay it on twice as many pixels.
QImage newPicture(int ratio)
{
    QImage image(pictureSize * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

void outlinedLine(QPainter &p, QPointF from, QPointF to, qreal width, const QColor &fill)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, width + 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(fill, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
}

void outlinedEllipse(QPainter &p, QPointF centre, qreal rx, qreal ry, const QColor &fill)
{
    p.setPen(QPen(ink, 2));
    p.setBrush(fill);
    p.drawEllipse(centre, rx, ry);
}

void drawCloud(QPainter &p, QPointF at, qreal scale)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(at + QPointF(-16, 2) * scale, 14 * scale, 10 * scale);
    p.drawEllipse(at + QPointF(0, -4) * scale, 16 * scale, 13 * scale);
    p.drawEllipse(at + QPointF(16, 2) * scale, 14 * scale, 10 * scale);
}

// Sky, two clouds and a grassy hill: the empty scene every picture shares.
void drawLandscape(QPainter &p)
{
    QLinearGradient sky(0, 0, 0, 290);
    sky.setColorAt(0, QColor(140, 204, 248));
    sky.setColorAt(1, QColor(222, 242, 255));
    p.fillRect(QRect(QPoint(0, 0), pictureSize), sky);

    drawCloud(p, QPointF(118, 72), 0.9);
    drawCloud(p, QPointF(206, 228), 0.7);

    QPainterPath hill;
    hill.moveTo(-5, 292);
    hill.cubicTo(60, 278, 170, 280, 245, 288);
    hill.lineTo(245, 335);
    hill.lineTo(-5, 335);
    hill.closeSubpath();
    QLinearGradient grass(0, 280, 0, 330);
    grass.setColorAt(0, QColor(124, 200, 92));
    grass.setColorAt(1, QColor(84, 160, 66));
    p.setPen(QPen(QColor(70, 130, 56), 2));
    p.setBrush(grass);
    p.drawPath(hill);

    const QList<QPointF> flowers{{14, 312}, {98, 318}, {222, 306}, {206, 320}};
    for (const QPointF &f : flowers) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 250));
        for (int petal = 0; petal < 4; ++petal) {
            const qreal a = petal * M_PI / 2;
            p.drawEllipse(f + QPointF(std::cos(a), std::sin(a)) * 3, 2.2, 2.2);
        }
        p.setBrush(QColor(250, 200, 40));
        p.drawEllipse(f, 1.8, 1.8);
    }
}

void drawPlank(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(ink, 2));
    p.setBrush(wood);
    p.drawRoundedRect(r, 3, 3);
    p.setPen(QPen(woodDark, 1));
    if (r.width() > r.height())
        p.drawLine(QPointF(r.left() + 6, r.center().y()), QPointF(r.right() - 6, r.center().y()));
    else
        p.drawLine(QPointF(r.center().x(), r.top() + 6), QPointF(r.center().x(), r.bottom() - 6));
}

void drawBase(QPainter &p)
{
    drawPlank(p, QRectF(18, 280, 186, 16));
    drawPlank(p, QRectF(28, 270, 36, 12));
}

void drawPost(QPainter &p)
{
    drawPlank(p, QRectF(38, 26, 16, 246));
}

void drawBeam(QPainter &p)
{
    drawPlank(p, QRectF(32, 22, 156, 16));
    outlinedLine(p, QPointF(47, 104), QPointF(104, 36), 8, wood);
    p.setPen(Qt::NoPen);
    p.setBrush(woodDark);
    p.drawEllipse(QPointF(46, 30), 2, 2);
}

void drawRope(QPainter &p)
{
    const QPointF top(165, 38);
    const QPointF bottom(165, 90);
    outlinedLine(p, top, bottom, 4, ropeColour);
    p.setPen(QPen(QColor(170, 130, 60), 1));
    for (qreal y = top.y() + 4; y < bottom.y() - 2; y += 5)
        p.drawLine(QPointF(163, y + 2), QPointF(167, y - 1));
    outlinedEllipse(p, QPointF(165, 93), 7, 5, ropeColour);
}

void drawHead(QPainter &p, QPointF centre, bool happy)
{
    outlinedEllipse(p, centre, 23, 23, skin);

    p.setPen(QPen(QColor(110, 70, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(centre.x() - 8, centre.y() - 30, 12, 14), 200 * 16, 120 * 16);

    p.setPen(Qt::NoPen);
    p.setBrush(cheeks);
    p.drawEllipse(centre + QPointF(-13, 7), 4.5, 3);
    p.drawEllipse(centre + QPointF(13, 7), 4.5, 3);

    if (happy) {
        p.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(centre.x() - 12, centre.y() - 7, 8, 8), 20 * 16, 140 * 16);
        p.drawArc(QRectF(centre.x() + 4, centre.y() - 7, 8, 8), 20 * 16, 140 * 16);
        p.setPen(QPen(ink, 2));
        p.setBrush(QColor(200, 60, 60));
        QPainterPath mouth;
        mouth.moveTo(centre + QPointF(-9, 5));
        mouth.quadTo(centre + QPointF(0, 20), centre + QPointF(9, 5));
        mouth.closeSubpath();
        p.drawPath(mouth);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(centre + QPointF(-8, -3), 3, 3.5);
        p.drawEllipse(centre + QPointF(8, -3), 3, 3.5);
        p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre + QPointF(-12, -9), centre + QPointF(-5, -12));
        p.drawLine(centre + QPointF(12, -9), centre + QPointF(5, -12));
        p.setBrush(QColor(200, 80, 80));
        p.setPen(QPen(ink, 1.5));
        p.drawEllipse(centre + QPointF(0, 10), 3.5, 4);
    }
}

void drawBody(QPainter &p, QPointF neck, QPointF leftHand, QPointF rightHand)
{
    const QPointF shoulderL = neck + QPointF(-9, 9);
    const QPointF shoulderR = neck + QPointF(9, 9);
    outlinedLine(p, shoulderL, leftHand, 8, shirt);
    outlinedLine(p, shoulderR, rightHand, 8, shirt);
    outlinedEllipse(p, leftHand, 5, 5, skin);
    outlinedEllipse(p, rightHand, 5, 5, skin);

    p.setPen(QPen(ink, 2));
    p.setBrush(shirt);
    p.drawRoundedRect(QRectF(neck.x() - 15, neck.y(), 30, 54), 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 230, 90));
    p.drawEllipse(neck + QPointF(0, 20), 2.5, 2.5);
    p.drawEllipse(neck + QPointF(0, 32), 2.5, 2.5);
}

void drawLegs(QPainter &p, QPointF hips, QPointF leftFoot, QPointF rightFoot)
{
    outlinedLine(p, hips + QPointF(-7, 0), leftFoot, 9, trousers);
    outlinedLine(p, hips + QPointF(7, 0), rightFoot, 9, trousers);
    outlinedEllipse(p, leftFoot + QPointF(-4, 3), 8, 5, shoes);
    outlinedEllipse(p, rightFoot + QPointF(4, 3), 8, 5, shoes);
}

// Each stage paints exactly the previous one, then one part more on top.
QImage stage(int number, int ratio)
{
    QImage image = newPicture(ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawLandscape(p);
    const QPointF head(165, 121);
    const QPointF neck(165, 144);
    if (number >= 1)
        drawBase(p);
    if (number >= 2)
        drawPost(p);
    if (number >= 3)
        drawBeam(p);
    if (number >= 4)
        drawRope(p);
    if (number >= 5)
        drawHead(p, head, false);
    if (number >= 6)
        drawBody(p, neck, QPointF(140, 192), QPointF(190, 192));
    if (number >= 7)
        drawLegs(p, neck + QPointF(0, 50), QPointF(154, 246), QPointF(176, 246));
    return image;
}

void drawSun(QPainter &p, QPointF centre, qreal radius, const QColor &colour, qreal rayLength,
             int rays, qreal rayWidth)
{
    p.setPen(QPen(colour, rayWidth, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < rays; ++i) {
        const qreal a = i * 2 * M_PI / rays;
        const QPointF direction(std::cos(a), std::sin(a));
        p.drawLine(centre + direction * (radius + 3), centre + direction * rayLength);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);
}

QImage victory(int ratio)
{
    QImage image = newPicture(ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawLandscape(p);
    drawSun(p, QPointF(40, 44), 20, QColor(255, 206, 40), 36, 12, 3);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 120, 50, 110));
    p.drawEllipse(QPointF(120, 298), 30, 6);

    const QPointF neck(120, 138);
    drawBody(p, neck, QPointF(86, 96), QPointF(154, 96));
    drawLegs(p, neck + QPointF(0, 50), QPointF(104, 236), QPointF(136, 236));
    drawHead(p, QPointF(120, 115), true);

    p.setPen(QPen(QColor(255, 255, 255), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(96, 262), QPointF(90, 278));
    p.drawLine(QPointF(120, 262), QPointF(120, 280));
    p.drawLine(QPointF(144, 262), QPointF(150, 278));

    const QList<QColor> confettiColours{QColor(240, 60, 60), QColor(250, 200, 30),
                                        QColor(60, 170, 240), QColor(120, 200, 70),
                                        QColor(200, 90, 220), QColor(255, 140, 40)};
    QRandomGenerator random(1789);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const QPointF at(random.bounded(8, 228), random.bounded(8, 270));
        if (QLineF(at, QPointF(120, 160)).length() < 62)
            continue;
        p.save();
        p.translate(at);
        p.rotate(random.bounded(180));
        p.setBrush(confettiColours.at(i % confettiColours.size()));
        if (i % 3 == 0)
            p.drawEllipse(QPointF(0, 0), 2.5, 2.5);
        else
            p.drawRect(QRectF(-4, -2, 8, 4));
        p.restore();
    }
    return image;
}

// A brush stroke whose thickness swells and thins like a hand-painted one.
QPainterPath freehandStroke(qreal y, qreal wave, qreal phase, qreal width)
{
    QPolygonF top;
    QPolygonF bottom;
    for (int x = -10; x <= 250; x += 4) {
        const qreal middle = y + wave * std::sin(x / 37.0 + phase) + wave * 0.4 * std::sin(x / 11.0);
        const qreal half = width * (0.75 + 0.25 * std::sin(x / 23.0 + 2 * phase)) / 2;
        top << QPointF(x, middle - half);
        bottom.prepend(QPointF(x, middle + half));
    }
    QPainterPath path;
    path.addPolygon(top + bottom);
    path.closeSubpath();
    return path;
}

QImage desert(int ratio)
{
    QImage image = newPicture(ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(QPoint(0, 0), pictureSize), QColor(147, 220, 255));

    const QColor red(222, 24, 24);
    drawSun(p, QPointF(120, 96), 16, red, 35, 16, 1.5);

    const struct { qreal y, wave, phase, width; } strokes[] = {
        {125, 5, 0.0, 18}, {148, 6, 1.7, 20}, {169, 4, 3.1, 14}, {184, 3, 4.4, 9},
    };
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (const auto &s : strokes)
        p.drawPath(freehandStroke(s.y, s.wave, s.phase, s.width));

    p.setBrush(QColor(186, 216, 244));
    p.drawEllipse(QPointF(26, 127), 20, 5);
    p.drawEllipse(QPointF(52, 150), 26, 6);
    p.drawEllipse(QPointF(18, 170), 14, 4);
    p.drawEllipse(QPointF(70, 136), 10, 3);

    QPainterPath dune;
    dune.moveTo(-5, 282);
    dune.cubicTo(60, 274, 150, 288, 245, 278);
    dune.lineTo(245, 335);
    dune.lineTo(-5, 335);
    dune.closeSubpath();
    p.setPen(QPen(QColor(214, 128, 30), 2));
    p.setBrush(QColor(246, 162, 52));
    p.drawPath(dune);

    const QColor green(46, 160, 64);
    const QColor darkGreen(24, 100, 40);
    QPainterPath cactus;
    cactus.addRoundedRect(QRectF(158, 200, 24, 102), 12, 12);
    cactus.addRoundedRect(QRectF(131, 222, 14, 44), 7, 7);
    cactus.addRoundedRect(QRectF(131, 254, 34, 13), 6, 6);
    cactus.addRoundedRect(QRectF(197, 212, 14, 46), 7, 7);
    cactus.addRoundedRect(QRectF(176, 245, 35, 13), 6, 6);
    cactus.setFillRule(Qt::WindingFill);
    p.setPen(QPen(darkGreen, 2));
    p.setBrush(green);
    p.drawPath(cactus.simplified());
    p.setPen(QPen(darkGreen, 1));
    p.drawLine(QPointF(170, 210), QPointF(170, 292));
    p.drawLine(QPointF(138, 230), QPointF(138, 256));
    p.drawLine(QPointF(204, 220), QPointF(204, 246));
    return image;
}

// The classic 16-colour palette, with transparency in place of fuchsia.
QList<QRgb> iconPalette()
{
    return {qRgba(0, 0, 0, 0),       qRgb(0, 0, 0),         qRgb(128, 0, 0),
            qRgb(0, 128, 0),         qRgb(128, 128, 0),     qRgb(0, 0, 128),
            qRgb(128, 0, 128),       qRgb(0, 128, 128),     qRgb(128, 128, 128),
            qRgb(192, 192, 192),     qRgb(255, 0, 0),       qRgb(0, 255, 0),
            qRgb(255, 255, 0),       qRgb(0, 0, 255),       qRgb(0, 255, 255),
            qRgb(255, 255, 255)};
}

QImage toPalette(const QImage &drawing)
{
    const QList<QRgb> palette = iconPalette();
    QImage indexed(drawing.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    for (int y = 0; y < drawing.height(); ++y) {
        for (int x = 0; x < drawing.width(); ++x) {
            const QRgb c = drawing.pixel(x, y);
            int best = 0;
            if (qAlpha(c) >= 128) {
                int bestDistance = INT_MAX;
                for (int i = 1; i < palette.size(); ++i) {
                    const int dr = qRed(c) - qRed(palette[i]);
                    const int dg = qGreen(c) - qGreen(palette[i]);
                    const int db = qBlue(c) - qBlue(palette[i]);
                    const int distance = dr * dr + dg * dg + db * db;
                    if (distance < bestDistance) {
                        bestDistance = distance;
                        best = i;
                    }
                }
            }
            indexed.setPixel(x, y, best);
        }
    }
    return indexed;
}

// Both icons are designed on a 32-pixel grid and drawn without antialiasing
// so that every pixel lands exactly on a palette colour, at any size: the
// outline keeps its 2 pixels in 32 as the icon grows.
QImage icon(int size, const QPolygonF &shape, const QBrush &face, const QColor &edge)
{
    QImage drawing(size, size, QImage::Format_ARGB32);
    drawing.fill(Qt::transparent);
    QPainter p(&drawing);
    const qreal scale = size / 32.0;
    p.setBrush(face);
    p.setPen(Qt::NoPen);
    const QPolygonF scaled = QTransform::fromScale(scale, scale).map(shape);
    p.drawPolygon(scaled);
    p.setPen(QPen(edge, size >= 32 ? size / 16 : 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(scaled);
    p.end();
    return toPalette(drawing);
}

QImage lightning(int size)
{
    const QPolygonF bolt{{13, 1}, {26, 1}, {19, 12}, {27, 12}, {8, 31}, {13, 17}, {5, 17}};
    return icon(size, bolt, QColor(255, 255, 0), Qt::black);
}

QImage arrow(int size)
{
    const int check = size / 8;
    QImage tile(2 * check, 2 * check, QImage::Format_RGB32);
    tile.fill(QColor(255, 255, 255));
    QPainter t(&tile);
    t.fillRect(0, 0, check, check, QColor(192, 192, 192));
    t.fillRect(check, check, check, check, QColor(192, 192, 192));
    t.end();
    const QPolygonF shape{{1, 16}, {15, 2}, {15, 10}, {30, 10}, {30, 22}, {15, 22}, {15, 30}};
    return icon(size, shape, QBrush(tile), QColor(0, 0, 128));
}

bool save(const QImage &image, const QString &path)
{
    if (image.save(path))
        return true;
    QTextStream(stderr) << "cannot write " << path << '\n';
    return false;
}

// "0" -> "0.bmp" or "0@2x.bmp".
QString fileName(const QString &base, int ratio, const char *suffix)
{
    return base + (ratio == 2 ? QStringLiteral("@2x") : QString()) + QLatin1String(suffix);
}

bool saveGamePictures(const QDir &dir)
{
    bool ok = true;
    for (int ratio : {1, 2}) {
        for (int i = 0; i < stageCount; ++i) {
            const QString name = fileName(QString::number(i), ratio, ".bmp");
            ok = save(stage(i, ratio), dir.filePath(name)) && ok;
        }
        const QString name = fileName(QStringLiteral("victoire"), ratio, ".bmp");
        ok = save(victory(ratio), dir.filePath(name)) && ok;
    }
    return ok;
}

bool saveEmbeddedPictures(const QDir &dir)
{
    bool ok = true;
    for (int ratio : {1, 2}) {
        ok = save(desert(ratio), dir.filePath(fileName(QStringLiteral("desert"), ratio, ".bmp"))) && ok;
        for (int size : {16, 32}) {
            const QString lightningName = fileName(QStringLiteral("eclair%1").arg(size), ratio, ".png");
            const QString arrowName = fileName(QStringLiteral("fleche%1").arg(size), ratio, ".png");
            ok = save(lightning(size * ratio), dir.filePath(lightningName)) && ok;
            ok = save(arrow(size * ratio), dir.filePath(arrowName)) && ok;
        }
    }
    return ok;
}

// The sizes desktops look for in the hicolor icon theme.
bool saveApplicationIcons(const QDir &dir, const QString &id)
{
    bool ok = true;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = dir.filePath(QStringLiteral("%1/%2.png").arg(folder, id));
        ok = dir.mkpath(folder) && save(lightning(size), path) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool known = (args.size() == 3 && (args[1] == u"jeu" || args[1] == u"integres"))
        || (args.size() == 4 && args[1] == u"icones");
    if (!known) {
        QTextStream(stderr) << "usage: gibetto_dessins jeu|integres DIR\n"
                               "       gibetto_dessins icones DIR ID\n";
        return 2;
    }
    const QDir dir(args[2]);
    if (!dir.mkpath(QStringLiteral(".")))
        return 1;

    bool ok = false;
    if (args[1] == u"jeu")
        ok = saveGamePictures(dir);
    else if (args[1] == u"integres")
        ok = saveEmbeddedPictures(dir);
    else
        ok = saveApplicationIcons(dir, args[3]);
    return ok ? 0 : 1;
}
