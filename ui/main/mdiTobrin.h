#pragma once
// The frame of the program: an MDI window whose menu opens every other window. Its close box
// only hides it; the program ends through ExitSystem.
#include <QHash>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <functional>

class QAction;
class QMenu;

class mdiTobrin : public QMainWindow {
    Q_OBJECT
public:
    explicit mdiTobrin(QWidget* parent = nullptr);

    // The one main window (made on first use).
    static mdiTobrin* instance();
    static bool exists();

    QAction* action(const QString& name) const;
    QMenu* menu(const QString& name) const;
    // Connects a menu item to what it does and enables it. Items without an action stay disabled.
    void wire(const QString& name, std::function<void()> handler);

    // Shows the child window T inside the main window, making it on first use; an open one is
    // brought to the front. T has a constructor T(QWidget* parent).
    template <typename T> T* showChild() {
        const QString key = QString::fromLatin1(T::staticMetaObject.className());
        QMdiSubWindow* sub = m_children.value(key);
        if (sub && sub->widget() && !sub->isHidden()) {
            sub->showNormal();
            m_mdi->setActiveSubWindow(sub);
            return qobject_cast<T*>(sub->widget());
        }
        auto* w = new T(nullptr);
        addChild(key, w);
        return w;
    }
    // The open child of class T, or nullptr.
    template <typename T> T* child() const {
        QMdiSubWindow* sub = m_children.value(QString::fromLatin1(T::staticMetaObject.className()));
        return sub && !sub->isHidden() ? qobject_cast<T*>(sub->widget()) : nullptr;
    }
    QList<QWidget*> children() const;

    QMdiArea* mdiArea() const { return m_mdi; }
    QString Tag;

    // Shows the window again in the state it had when it was hidden by its close box.
    void restoreFromTray();
    // Set by ExitSystem: the next close really closes.
    void setExiting(bool e) { m_exiting = e; }

Q_SIGNALS:
    void activatedOrResized();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void paintBackground();

private:
    void addChild(const QString& key, QWidget* w);
    void buildMenus();

    QMdiArea* m_mdi;
    QHash<QString, QPointer<QMdiSubWindow>> m_children;
    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    bool m_exiting = false;
};

// Ends the program: closes every window and quits. The tray window installs its own version.
void ExitSystem();
void SetExitSystem(std::function<void()> exit);
