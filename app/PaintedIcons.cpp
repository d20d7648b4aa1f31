#include "app/PaintedIcons.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>

QIcon paintedIcon(int which, const QPalette& palette) {
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        p.setPen(QPen(palette.color(QPalette::WindowText), 1.2));
        p.setBrush(palette.color(QPalette::Base));
        switch (which) {
            case CutIcon:
                p.drawLine(QPointF(4, 1), QPointF(11, 11));
                p.drawLine(QPointF(12, 1), QPointF(5, 11));
                p.drawEllipse(QPointF(4, 13), 2.3, 2.3);
                p.drawEllipse(QPointF(12, 13), 2.3, 2.3);
                break;
            case CopyIcon:
                p.drawRect(QRectF(1.5, 1.5, 8, 10));
                p.drawRect(QRectF(6.5, 4.5, 8, 10));
                break;
            case PasteIcon:
                p.drawRect(QRectF(2.5, 2.5, 11, 12.5));
                p.setBrush(palette.color(QPalette::WindowText));
                p.drawRect(QRectF(5.5, 1, 5, 3));
                break;
            case PrintIcon:
                p.drawRect(QRectF(4.5, 1.5, 7, 5));
                p.drawRect(QRectF(1.5, 6.5, 13, 6));
                p.drawRect(QRectF(4.5, 10.5, 7, 4.5));
                break;
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}
