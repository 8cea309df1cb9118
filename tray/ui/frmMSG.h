#pragma once
// The message popup: a frameless window cut to its balloon picture, holding the reminder text.
// Dragging its body moves it; a double click, a right click or Escape closes it.
#include <QDialog>
#include <QImage>
#include <QPoint>

class QPlainTextEdit;

class frmMSG : public QDialog {
    Q_OBJECT
public:
    explicit frmMSG(QWidget* parent = nullptr);

    // 358 × 240 pixels, 256 colours; the top-left colour marks the transparent part.
    static QImage picture();

    void setText(const QString& text);
    QString text() const;
    // Cuts the window to the picture (key 1: the top-left colour); an empty shape leaves it whole.
    void shape();
    // For tests: a picture with nothing but the key colour.
    void setPicture(const QImage& picture);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QPlainTextEdit* m_text;
    QImage m_picture;
    QPoint m_dragOffset;
    bool m_dragging = false;
};
