#include "tray/ui/frmMSG.h"

#include "core/ui/Painting.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>

namespace {
const QRgb kKey = qRgb(255, 0, 255);
const QRgb kFill = qRgb(255, 250, 215);
const QRgb kBorder = qRgb(90, 110, 160);
const QRgb kTitle = qRgb(70, 120, 200);
const QRgb kWhite = qRgb(255, 255, 255);
const QRect kTextArea(22, 42, 314, 168);
} // namespace

QImage frmMSG::picture() {
    // Drawn without antialiasing so that every pixel is one of a few exact colours.
    QImage rgb(358, 240, QImage::Format_RGB32);
    rgb.fill(kKey);
    QPainter p(&rgb);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath balloon;
    balloon.addRoundedRect(QRectF(4, 4, 350, 214), 18, 18);
    QPolygonF tail;
    tail << QPointF(270, 210) << QPointF(320, 236) << QPointF(300, 210);
    balloon.addPolygon(tail);
    balloon.setFillRule(Qt::WindingFill);
    p.setPen(QPen(QColor(kBorder), 3));
    p.setBrush(QColor(kFill));
    p.drawPath(balloon.simplified());
    p.fillRect(QRect(18, 12, 322, 24), QColor(kTitle));
    QFont f;
    f.setPointSize(11);
    f.setBold(true);
    f.setStyleStrategy(QFont::NoAntialias);
    p.setFont(f);
    p.setPen(QColor(kWhite));
    p.drawText(QRect(26, 12, 306, 24), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Orvane 提醒"));
    p.end();
    const QVector<QRgb> colours = {kKey, kFill, kBorder, kTitle, kWhite};
    return rgb.convertToFormat(QImage::Format_Indexed8, colours, Qt::ThresholdDither | Qt::AvoidDither);
}

frmMSG::frmMSG(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_text(new QPlainTextEdit(this)), m_picture(picture()) {
    setObjectName(QStringLiteral("frmMSG"));
    setWindowTitle(QStringLiteral("Orvane商务名片管理系统"));
    setFixedSize(m_picture.size());
    m_text->setObjectName(QStringLiteral("txtMsg"));
    m_text->setReadOnly(true);
    m_text->setGeometry(kTextArea);
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->setStyleSheet(QStringLiteral("QPlainTextEdit { background: transparent; }"));
    // A right click on the text closes the popup as well, as the text itself says.
    m_text->viewport()->installEventFilter(this);
}

void frmMSG::setText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text->setPlainText(shown);
}

QString frmMSG::text() const {
    return m_text->toPlainText();
}

void frmMSG::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void frmMSG::shape() {
    unsigned char key = 1;
    ShapeFromPicture(*this, m_picture, key);
}

void frmMSG::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_picture);
}

void frmMSG::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragOffset = e->globalPosition().toPoint() - frameGeometry().topLeft();
    } else if (e->button() == Qt::RightButton) {
        reject();
    }
}

void frmMSG::mouseMoveEvent(QMouseEvent* e) {
    if (m_dragging && (e->buttons() & Qt::LeftButton))
        move(e->globalPosition().toPoint() - m_dragOffset);
}

void frmMSG::mouseReleaseEvent(QMouseEvent*) {
    m_dragging = false;
}

void frmMSG::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        reject();
}

void frmMSG::contextMenuEvent(QContextMenuEvent*) {
    reject();
}

bool frmMSG::eventFilter(QObject* watched, QEvent* e) {
    if (watched == m_text->viewport() && e->type() == QEvent::ContextMenu) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}
