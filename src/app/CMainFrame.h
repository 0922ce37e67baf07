#pragma once
// The main window: menu bar, accelerators, toolbar, status bar and the view
// in its client area. Commands from all of them go one way: SendCommand,
// which offers them to the view, the document, the frame and the
// application, in that order.
#include "app/CCmdTarget.h"

#include <QMainWindow>
#include <map>
#include <vector>

class COrvik50View;
class CCmdTarget;
class LockIndicatorPane;
class QAction;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;

class CMainFrame : public QMainWindow, public CCmdTarget {
    Q_OBJECT
public:
    // `documentTarget` and `appTarget` follow the view on the command route.
    CMainFrame(CCmdTarget* documentTarget, CCmdTarget* appTarget);
    ~CMainFrame() override;

    // Creates the window's parts (PreCreateWindow, then OnCreate); false
    // when the toolbar or the status bar could not be made.
    bool LoadFrame();

    // The view becomes the client area; the frame takes ownership.
    void SetActiveView(COrvik50View* view);
    COrvik50View* GetActiveView() const { return activeView; }

    // Offers `id` to view, document, frame and application; true when one took it.
    bool SendCommand(UINT id);
    // True when some target on the route has a handler for `id`.
    bool HasHandler(UINT id) const;
    // Enables each menu and toolbar command that has a handler (the menu's
    // and toolbar's update step); commands nobody takes stay disabled.
    void UpdateCommandStates();

    // The action behind a menu entry or toolbar button; null for others.
    QAction* CommandAction(UINT id) const;

    // The message pane: shows `text` until the next message.
    void SetMessageText(const QString& text);
    QString MessageText() const;
    // Sets the idle text ("Ready").
    void ShowIdleMessage();

    QToolBar* ToolBar() const { return frameToolBar; }
    QStatusBar* StatusBar() const { return frameStatusBar; }
    const std::vector<LockIndicatorPane*>& Indicators() const { return indicators; }

    // Opens the first of `paths` as File > Open would; when there are more,
    // the status bar says that only the first was opened.
    void OpenDroppedFiles(const QStringList& paths);

    // The frame's own commands: exit, and the pane commands (nothing to do
    // with a single pane).
    bool OnCmdMsg(UINT id, bool execute) override;

protected:
    // The window has no menu of its own: right-clicking the toolbar or the
    // menu bar opens nothing.
    QMenu* createPopupMenu() override { return nullptr; }
    void timerEvent(QTimerEvent* event) override;
    // Files dragged from a file manager (the grid passes them on to us).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Leaving the menu bar ends the prompt of a command item on it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Style and size before the window exists: an overlapped window over the whole screen.
    void PreCreateWindow();
    // Toolbar, status bar, title and docking; -1 on failure, 0 otherwise.
    int OnCreate();
    // One QAction per command of the menu and the toolbar, made once.
    QAction* MakeCommandAction(UINT id, const QString& text);
    void BuildMenuBar();
    bool BuildToolBar();
    bool BuildStatusBar();
    void BuildAccelerators();
    void UpdateIndicators();

    // Members of the frame, in this order: the status bar, then the toolbar.
    QStatusBar* frameStatusBar = nullptr;
    QToolBar* frameToolBar = nullptr;

    CCmdTarget* documentTarget;
    CCmdTarget* appTarget;
    COrvik50View* activeView = nullptr;
    QLabel* messagePane = nullptr;
    std::vector<LockIndicatorPane*> indicators;
    std::map<UINT, QAction*> commandActions;
    int indicatorTimer = 0;
};
