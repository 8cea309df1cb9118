#include "ui/visit/VisitWidgets.h"

#include "core/Clock.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace VisitUi {

namespace {
// True when the key would put `e->text()` into the box (not a shortcut or a control key).
bool insertsText(const QKeyEvent* e, bool multiLine) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (multiLine && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter))
        return true;
    const QString t = e->text();
    if (t.isEmpty())
        return false;
    for (const QChar c : t)
        if (!c.isPrint())
            return false;
    return true;
}

// The event with its committed text cut to `room` characters.
void cutCommit(QInputMethodEvent& cut, const QInputMethodEvent* e, int room) {
    cut.setCommitString(e->commitString().left(qMax(0, room)), e->replacementStart(), e->replacementLength());
}

// Opens the list when the read-only text part of a fixed list is clicked.
class OpenOnClick final : public QObject {
public:
    explicit OpenOnClick(QComboBox* box) : QObject(box), m_box(box) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonPress && m_box->isEnabled()) {
            m_box->showPopup();
            return true;
        }
        return QObject::eventFilter(o, e);
    }

private:
    QComboBox* m_box;
};
} // namespace

DatePicker::DatePicker(QWidget* parent) : QToolButton(parent), m_popup(new QWidget(this, Qt::Popup)) {
    setArrowType(Qt::DownArrow);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(QStringLiteral("选择日期"));
    m_calendar = new QCalendarWidget(m_popup);
    m_calendar->setGridVisible(true);
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_calendar);
    connect(this, &QToolButton::clicked, this, &DatePicker::openCalendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, &DatePicker::choose);
    connect(m_calendar, &QCalendarWidget::activated, this, &DatePicker::choose);
}

void DatePicker::setDate(const QDate& d) {
    if (d.isValid())
        m_date = d;
}

void DatePicker::openCalendar() {
    m_calendar->setSelectedDate(m_date.isValid() ? m_date : Clock::get().today());
    m_popup->adjustSize();
    QPoint at = mapToGlobal(QPoint(width() - m_popup->width(), height()));
    // Keep the calendar on the screen: left edge inside, above the button when no room below.
    if (const QScreen* s = screen()) {
        const QRect r = s->availableGeometry();
        at.setX(qBound(r.left(), at.x(), qMax(r.left(), r.right() - m_popup->width())));
        if (at.y() + m_popup->height() > r.bottom())
            at.setY(qMax(r.top(), mapToGlobal(QPoint(0, 0)).y() - m_popup->height()));
    }
    m_popup->move(at);
    m_popup->show();
    m_calendar->setFocus(Qt::PopupFocusReason);
}

void DatePicker::choose(const QDate& d) {
    if (!d.isValid())
        return;
    m_date = d;
    m_popup->hide();
    setFocus(Qt::OtherFocusReason);
    Q_EMIT picked(d);
}

LimitedLineEdit::LimitedLineEdit(int limit, QWidget* parent) : QLineEdit(parent), m_limit(limit) {
    // Dropped text would bypass the limit.
    setAcceptDrops(false);
}

int LimitedLineEdit::room() const { return m_limit - (text().size() - selectedText().size()); }

void LimitedLineEdit::pasteLimited() {
    if (isReadOnly())
        return;
    QString clip = QApplication::clipboard()->text();
    clip.replace(QLatin1Char('\r'), QString()).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const int r = room();
    if (r > 0 && !clip.isEmpty())
        insert(clip.left(r));
}

void LimitedLineEdit::keyPressEvent(QKeyEvent* e) {
    if (e->matches(QKeySequence::Paste)) {
        pasteLimited();
        e->accept();
        return;
    }
    if (!isReadOnly() && insertsText(e, false) && e->text().size() > room()) {
        const int r = room();
        if (r > 0)
            insert(e->text().left(r));
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void LimitedLineEdit::inputMethodEvent(QInputMethodEvent* e) {
    const int r = room() + e->replacementLength();
    if (e->commitString().size() > r) {
        QInputMethodEvent cut(e->preeditString(), e->attributes());
        cutCommit(cut, e, r);
        QLineEdit::inputMethodEvent(&cut);
        return;
    }
    QLineEdit::inputMethodEvent(e);
}

void LimitedLineEdit::contextMenuEvent(QContextMenuEvent* e) {
    // The menu's paste is not virtual: undo a paste past the limit and paste the part that fits.
    const QString before = text();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int length = selectedText().size();
    QMenu* menu = createStandardContextMenu();
    menu->exec(e->globalPos());
    delete menu;
    if (text().size() > m_limit && text().size() > before.size()) {
        setText(before);
        setSelection(start, length);
        if (length == 0)
            setCursorPosition(start);
        pasteLimited();
    }
}

void LimitedLineEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (e->reason() == Qt::PopupFocusReason || isReadOnly())
        return;
    const QString t = text().trimmed();
    if (t != text())
        setText(t);
}

LimitedTextEdit::LimitedTextEdit(int limit, QWidget* parent) : QPlainTextEdit(parent), m_limit(limit) {
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

int LimitedTextEdit::room() const {
    return m_limit - (toPlainText().size() - textCursor().selectedText().size());
}

void LimitedTextEdit::keyPressEvent(QKeyEvent* e) {
    if (!isReadOnly() && insertsText(e, true)) {
        const int need = (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) ? 1 : e->text().size();
        if (need > room()) {
            const int r = room();
            if (r > 0 && need > 1)
                insertPlainText(e->text().left(r));
            e->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(e);
}

void LimitedTextEdit::inputMethodEvent(QInputMethodEvent* e) {
    const int r = room() + e->replacementLength();
    if (e->commitString().size() > r) {
        QInputMethodEvent cut(e->preeditString(), e->attributes());
        cutCommit(cut, e, r);
        QPlainTextEdit::inputMethodEvent(&cut);
        return;
    }
    QPlainTextEdit::inputMethodEvent(e);
}

void LimitedTextEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText() || isReadOnly())
        return;
    QMimeData cut;
    cut.setText(source->text().left(qMax(0, room())));
    if (!cut.text().isEmpty())
        QPlainTextEdit::insertFromMimeData(&cut);
}

void LimitedTextEdit::focusOutEvent(QFocusEvent* e) {
    QPlainTextEdit::focusOutEvent(e);
    if (e->reason() == Qt::PopupFocusReason || isReadOnly())
        return;
    const QString t = toPlainText().trimmed();
    if (t != toPlainText())
        setPlainText(t);
}

QComboBox* makeFixedList(const QString& name, const QStringList& items, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->addItems(items);
    box->lineEdit()->setReadOnly(true);
    box->lineEdit()->installEventFilter(new OpenOnClick(box));
    box->setCurrentIndex(-1);
    return box;
}

} // namespace VisitUi
