#include "ui/pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int IconSide = 48;
const QColor Outline(40, 48, 60);
const QColor PcbGreen(28, 110, 70);
const QColor PcbEdge(18, 72, 46);
const QColor Copper(214, 170, 82);

void drawArrow(QPainter& p, QPointF from, QPointF to, const QColor& color)
{
    const QLineF shaft(from, to);
    QLineF wing = shaft;
    wing.setP1(to);
    wing.setP2(from);
    wing.setLength(11);
    QLineF left = wing, right = wing;
    left.setAngle(wing.angle() + 35);
    right.setAngle(wing.angle() - 35);
    p.setPen(QPen(color, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QLineF(from, to - (to - from) / shaft.length() * 3));
    QPolygonF head{to, left.p2(), right.p2()};
    p.setPen(QPen(color, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(color);
    p.drawPolygon(head);
}

void drawChip(QPainter& p, const QRectF& body)
{
    p.setPen(QPen(PcbEdge, 1.5));
    p.setBrush(PcbGreen);
    p.drawRoundedRect(body, 3, 3);
    const QRectF chip = body.adjusted(body.width() * 0.28, body.height() * 0.28, -body.width() * 0.28,
                                      -body.height() * 0.28);
    p.setPen(QPen(Copper, 1.6));
    for (int i = 0; i < 3; ++i) {
        const qreal x = chip.left() + chip.width() * (i + 1) / 4.0;
        const qreal y = chip.top() + chip.height() * (i + 1) / 4.0;
        p.drawLine(QPointF(x, body.top() + 2), QPointF(x, body.bottom() - 2));
        p.drawLine(QPointF(body.left() + 2, y), QPointF(body.right() - 2, y));
    }
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.setBrush(QColor(36, 36, 40));
    p.drawRect(chip);
}

void drawOpen(QPainter& p)
{
    p.setPen(QPen(QColor(150, 100, 20), 1.6));
    p.setBrush(QColor(232, 176, 74));
    QPainterPath back;
    back.moveTo(4, 12);
    back.lineTo(17, 12);
    back.lineTo(21, 16);
    back.lineTo(40, 16);
    back.lineTo(40, 40);
    back.lineTo(4, 40);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(250, 210, 120));
    p.drawPolygon(QPolygonF{QPointF(10, 22), QPointF(46, 22), QPointF(40, 40), QPointF(4, 40)});
    drawArrow(p, QPointF(26, 34), QPointF(26, 4), QColor(30, 110, 200));
}

void drawSave(QPainter& p)
{
    p.setPen(QPen(Outline, 1.6));
    p.setBrush(QColor(48, 92, 160));
    QPainterPath disk;
    disk.moveTo(6, 6);
    disk.lineTo(36, 6);
    disk.lineTo(42, 12);
    disk.lineTo(42, 42);
    disk.lineTo(6, 42);
    disk.closeSubpath();
    p.drawPath(disk);
    p.setBrush(QColor(210, 214, 220));
    p.drawRect(QRectF(13, 6, 20, 12));
    p.setBrush(QColor(48, 92, 160));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(26, 8, 5, 8));
    p.setPen(QPen(Outline, 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(11, 24, 26, 15), 2, 2);
    p.setPen(QPen(QColor(150, 160, 175), 1.2));
    for (int y : {29, 33})
        p.drawLine(14, y, 34, y);
}

void drawRead(QPainter& p)
{
    drawChip(p, QRectF(20, 3, 25, 25));
    drawArrow(p, QPointF(26, 24), QPointF(8, 44), QColor(30, 140, 60));
}

void drawWrite(QPainter& p)
{
    drawChip(p, QRectF(20, 3, 25, 25));
    drawArrow(p, QPointF(5, 44), QPointF(23, 24), QColor(210, 70, 40));
}

void drawMemory(QPainter& p)
{
    // A zone loop with its end-of-line resistor: the panel learns the loop's normal resistance.
    p.setPen(QPen(QColor(110, 60, 160), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5, 9, 38, 30), 7, 7);
    p.setPen(QPen(Outline, 1.4));
    p.setBrush(QColor(236, 214, 160));
    p.drawRoundedRect(QRectF(14, 3, 20, 12), 3, 3);
    p.setPen(QPen(QColor(170, 60, 40), 2.2));
    for (qreal x : {19.0, 24.0, 29.0})
        p.drawLine(QPointF(x, 4.5), QPointF(x, 13.5));
    p.setPen(QPen(QColor(30, 140, 60), 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{QPointF(15, 26), QPointF(22, 33), QPointF(34, 20)});
}

using Painter = void (*)(QPainter&);
constexpr Painter IconPainters[] = {drawOpen, drawSave, drawRead, drawWrite, drawMemory};

QPixmap canvas(int width, int height)
{
    QPixmap pixmap(width * 2, height * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawPcb(QPainter& p, const QRectF& board)
{
    p.setPen(QPen(PcbEdge, 2));
    p.setBrush(PcbGreen);
    p.drawRoundedRect(board, 6, 6);
    p.setPen(QPen(QColor(200, 200, 190), 1.2));
    p.setBrush(QColor(235, 230, 215));
    for (QPointF corner : {board.topLeft() + QPointF(9, 9), board.topRight() + QPointF(-9, 9),
                           board.bottomLeft() + QPointF(9, -9), board.bottomRight() + QPointF(-9, -9)})
        p.drawEllipse(corner, 4, 4);
}

void drawTerminalBlock(QPainter& p, QPointF at, const QStringList& labels)
{
    const qreal pitch = 18;
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 5));
    for (int i = 0; i < labels.size(); ++i) {
        const QRectF cell(at.x() + i * pitch, at.y(), pitch, 18);
        p.setPen(QPen(QColor(20, 60, 120), 1));
        p.setBrush(QColor(50, 110, 200));
        p.drawRect(cell);
        p.setBrush(QColor(190, 195, 200));
        p.drawEllipse(cell.center(), 4.5, 4.5);
        p.setPen(QPen(QColor(60, 60, 60), 1.2));
        p.drawLine(cell.center() - QPointF(3, 0), cell.center() + QPointF(3, 0));
        p.setPen(Qt::white);
        p.drawText(QRectF(cell.left() - 3, cell.bottom() + 1, pitch + 6, 10), Qt::AlignCenter, labels[i]);
    }
}

void drawIc(QPainter& p, const QRectF& body, int pinsPerSide, const QString& marking)
{
    p.setPen(QPen(QColor(200, 200, 200), 1.4));
    const qreal step = body.width() / (pinsPerSide + 1);
    for (int i = 1; i <= pinsPerSide; ++i) {
        const qreal x = body.left() + i * step;
        p.drawLine(QPointF(x, body.top() - 4), QPointF(x, body.top()));
        p.drawLine(QPointF(x, body.bottom()), QPointF(x, body.bottom() + 4));
    }
    const qreal vstep = body.height() / (pinsPerSide + 1);
    for (int i = 1; i <= pinsPerSide; ++i) {
        const qreal y = body.top() + i * vstep;
        p.drawLine(QPointF(body.left() - 4, y), QPointF(body.left(), y));
        p.drawLine(QPointF(body.right(), y), QPointF(body.right() + 4, y));
    }
    p.setPen(QPen(QColor(10, 10, 10), 1));
    p.setBrush(QColor(34, 34, 38));
    p.drawRect(body);
    p.setPen(QColor(170, 170, 170));
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 6));
    p.drawText(body, Qt::AlignCenter, marking);
}

void drawResistor(QPainter& p, QPointF at, bool vertical)
{
    const QRectF body = vertical ? QRectF(at.x() - 3, at.y(), 6, 14) : QRectF(at.x(), at.y() - 3, 14, 6);
    p.setPen(QPen(QColor(190, 190, 190), 1.2));
    if (vertical)
        p.drawLine(QPointF(at.x(), at.y() - 4), QPointF(at.x(), at.y() + 18));
    else
        p.drawLine(QPointF(at.x() - 4, at.y()), QPointF(at.x() + 18, at.y()));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(222, 196, 140));
    p.drawRoundedRect(body, 2, 2);
}

void drawPinHeader(QPainter& p, QPointF at, int pins, const QString& name)
{
    const qreal pitch = 11;
    p.setPen(QPen(QColor(15, 15, 15), 1));
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(QRectF(at.x(), at.y(), pins * pitch + 4, 15));
    p.setBrush(QColor(225, 190, 90));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < pins; ++i)
        p.drawRect(QRectF(at.x() + 4 + i * pitch, at.y() + 4, 5, 7));
    p.setPen(Qt::white);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 7, QFont::Bold));
    p.drawText(QPointF(at.x(), at.y() - 4), name);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 5));
    for (int i = 0; i < pins; ++i)
        p.drawText(QRectF(at.x() + 1 + i * pitch, at.y() + 15, 11, 9), Qt::AlignCenter, QString::number(i + 1));
}

} // namespace

QIcon ButtonIcon(ButtonPicture picture)
{
    QPixmap pixmap = canvas(IconSide, IconSide);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    IconPainters[int(picture)](p);
    return QIcon(pixmap);
}

QIcon ProgramIcon()
{
    QPixmap pixmap = canvas(IconSide, IconSide);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawChip(p, QRectF(2, 2, IconSide - 4, IconSide - 4));
    return QIcon(pixmap);
}

QPixmap PanelBoardPicture()
{
    // Drawn on a 330 x 230 plan and shown a third larger.
    const QSize size(330, 230);
    constexpr qreal Scale = 1.3;
    QPixmap pixmap = canvas(qRound(size.width() * Scale), qRound(size.height() * Scale));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(Scale, Scale);
    drawPcb(p, QRectF(4, 4, size.width() - 8, size.height() - 8));
    drawTerminalBlock(p, QPointF(20, 14), {"+12", "GND", "Z1", "Z2", "Z3", "GND", "Z4", "Z5", "Z6", "GND",
                                          "OK1", "OK2", "OK3", "TM", "DAT", "CLK"});
    drawIc(p, QRectF(130, 88, 58, 58), 6, QStringLiteral("QZV-6"));
    drawIc(p, QRectF(222, 100, 34, 20), 3, QString());
    p.setPen(QPen(Copper, 1.4));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 6; ++i) {
        const qreal y = 96 + i * 8;
        p.drawPolyline(QPolygonF{QPointF(126, y), QPointF(80 - i * 4, y), QPointF(60 - i * 4, 62)});
    }
    for (int i = 0; i < 5; ++i)
        drawResistor(p, QPointF(40 + i * 22, 168), true);
    for (int i = 0; i < 3; ++i)
        drawResistor(p, QPointF(218 + i * 26, 140), false);
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(QColor(20, 60, 140));
    for (int i = 0; i < 2; ++i)
        p.drawEllipse(QPointF(292, 168 + i * 24), 9, 9);
    drawPinHeader(p, QPointF(200, 186), 4, QStringLiteral("X4"));
    p.setPen(QColor(235, 235, 225));
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 6));
    p.drawText(QPointF(200, 220), QStringLiteral("1-GND 2-Tx 3-Rx 4-GND"));
    return pixmap;
}

QPixmap CommunicatorBoardPicture()
{
    const QSize size(260, 170);
    QPixmap pixmap = canvas(size.width(), size.height());
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawPcb(p, QRectF(4, 30, 190, size.height() - 34));
    // The GSM module under its shield, the SIM holder and the antenna lead.
    p.setPen(QPen(QColor(120, 120, 125), 1.2));
    p.setBrush(QColor(200, 202, 206));
    p.drawRoundedRect(QRectF(60, 50, 80, 60), 3, 3);
    p.setPen(QColor(90, 90, 95));
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 7, QFont::Bold));
    p.drawText(QRectF(60, 50, 80, 60), Qt::AlignCenter, QStringLiteral("GSM"));
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(170, 160, 120));
    p.drawRoundedRect(QRectF(20, 118, 52, 32), 2, 2);
    p.setPen(QColor(60, 60, 60));
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 6));
    p.drawText(QRectF(20, 118, 52, 32), Qt::AlignCenter, QStringLiteral("SIM"));
    drawTerminalBlock(p, QPointF(96, 126), {"+", "-", "Z1", "Z2", "TL"});
    p.setPen(QPen(QColor(30, 30, 30), 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath([] {
        QPainterPath lead;
        lead.moveTo(140, 70);
        lead.cubicTo(180, 70, 200, 90, 222, 120);
        return lead;
    }());
    p.setPen(QPen(QColor(15, 15, 15), 1));
    p.setBrush(QColor(40, 40, 44));
    p.drawRoundedRect(QRectF(214, 118, 16, 10), 2, 2);
    p.drawRoundedRect(QRectF(217, 4, 10, 118), 5, 5);
    return pixmap;
}
