#include "app/CMainFrame.h"

#include "app/AcceleratorKeys.h"
#include "app/AppIcons.h"
#include "app/AppResources.h"
#include "app/COrvik50View.h"
#include "app/LockIndicators.h"
#include "app/StringTable.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimerEvent>
#include <QToolBar>

namespace {

// A menu-bar entry with an empty caption would be zero pixels wide and could
// not be clicked; figure spaces give it the width of four digits while it
// still shows nothing.
const QString kBlankCaption = QString(4, QChar(0x2007));
// How often the lock-key panes are refreshed.
constexpr int kIndicatorPeriodMs = 250;

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

} // namespace

CMainFrame::CMainFrame(CCmdTarget* documentTarget, CCmdTarget* appTarget)
    : documentTarget(documentTarget)
    , appTarget(appTarget)
{
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::LoadFrame()
{
    PreCreateWindow();
    BuildMenuBar();
    BuildAccelerators();
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);
    return OnCreate() == 0;
}

void CMainFrame::PreCreateWindow()
{
    // An overlapped window whose title never shows the document's name, as
    // big as the screen.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        resize(screen->size());
}

int CMainFrame::OnCreate()
{
    if (!BuildToolBar() || !BuildStatusBar())
        return -1;
    setWindowTitle(QString::fromUtf8(res::kFrameTitle));
    // The toolbar may dock on any side; it starts at the top.
    frameToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    setDockNestingEnabled(true);
    addToolBar(Qt::TopToolBarArea, frameToolBar);
    UpdateCommandStates();
    indicatorTimer = startTimer(kIndicatorPeriodMs);
    return 0;
}

QAction* CMainFrame::MakeCommandAction(UINT id, const QString& text)
{
    if (auto it = commandActions.find(id); it != commandActions.end()) {
        if (!text.isEmpty())
            it->second->setText(text);
        return it->second;
    }
    auto* action = new QAction(text, this);
    action->setStatusTip(Text(res::PromptText(id)));
    const QString tooltip = Text(res::TooltipText(id));
    if (!tooltip.isEmpty())
        action->setToolTip(tooltip);
    // Shortcuts come only from the accelerator table, never from the
    // "\tCtrl+P" shown in a menu text.
    action->setIconVisibleInMenu(false);
    connect(action, &QAction::triggered, this, [this, id] { SendCommand(id); });
    commandActions.emplace(id, action);
    return action;
}

void CMainFrame::BuildMenuBar()
{
    QMenuBar* bar = menuBar();
    // A drop-down shows its entries' prompts by itself; the command items on
    // the bar need it done: their prompt shows while the pointer is on them.
    connect(bar, &QMenuBar::hovered, this, [this](QAction* action) {
        if (!action->menu() && frameStatusBar)
            frameStatusBar->showMessage(action->statusTip());
    });
    bar->installEventFilter(this);
    for (const res::TopLevelItem& item : res::MenuBarItems()) {
        if (item.IsCommand()) {
            QAction* action = MakeCommandAction(item.command, item.text.empty() ? kBlankCaption : Text(item.text));
            bar->addAction(action);
            continue;
        }
        QMenu* menu = bar->addMenu(Text(item.text));
        for (const res::MenuEntry& entry : item.entries) {
            if (entry.IsSeparator())
                menu->addSeparator();
            else
                menu->addAction(MakeCommandAction(entry.id, Text(entry.text)));
        }
        // Entries follow their handlers each time the menu opens.
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    }
}

bool CMainFrame::BuildToolBar()
{
    frameToolBar = new QToolBar(this);
    frameToolBar->setObjectName(QStringLiteral("frameToolBar"));
    frameToolBar->setIconSize(QSize(res::kToolbarImageWidth, res::kToolbarImageHeight));
    frameToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    frameToolBar->setMovable(true);   // the gripper
    for (UINT id : res::ToolbarButtons()) {
        if (id == res::ID_SEPARATOR) {
            frameToolBar->addSeparator();
            continue;
        }
        QAction* action = MakeCommandAction(id, QString());
        action->setIcon(QIcon(ToolbarImage(id)));
        frameToolBar->addAction(action);
    }
    return true;
}

bool CMainFrame::BuildStatusBar()
{
    frameStatusBar = new QStatusBar(this);
    setStatusBar(frameStatusBar);
    for (UINT id : res::StatusIndicators()) {
        if (id == res::ID_SEPARATOR) {
            messagePane = new QLabel(frameStatusBar);
            frameStatusBar->addWidget(messagePane, 1);
            continue;
        }
        auto* pane = new LockIndicatorPane(id, frameStatusBar);
        frameStatusBar->addPermanentWidget(pane);
        indicators.push_back(pane);
    }
    ShowIdleMessage();
    UpdateIndicators();
    return messagePane != nullptr && indicators.size() == 3;
}

void CMainFrame::BuildAccelerators()
{
    std::vector<res::Accelerator> accelerators = res::AcceleratorTable();
    const auto& added = res::AddedAccelerators();
    accelerators.insert(accelerators.end(), added.begin(), added.end());
    for (const res::Accelerator& accelerator : accelerators) {
        auto* shortcut = new QShortcut(AcceleratorKeys(accelerator), this);
        shortcut->setContext(Qt::WindowShortcut);
        const UINT id = accelerator.command;
        // The frame owns the shortcut.
        connect(shortcut, &QShortcut::activated, this, [this, id] { SendCommand(id); });
    }
}

void CMainFrame::SetActiveView(COrvik50View* view)
{
    activeView = view;
    setCentralWidget(view);
    UpdateCommandStates();
}

bool CMainFrame::SendCommand(UINT id)
{
    for (CCmdTarget* target : {static_cast<CCmdTarget*>(activeView), documentTarget,
                               static_cast<CCmdTarget*>(this), appTarget}) {
        if (target && target->OnCmdMsg(id, true))
            return true;
    }
    return false;
}

bool CMainFrame::HasHandler(UINT id) const
{
    for (CCmdTarget* target : {static_cast<CCmdTarget*>(activeView), documentTarget,
                               const_cast<CCmdTarget*>(static_cast<const CCmdTarget*>(this)), appTarget}) {
        if (target && target->OnCmdMsg(id, false))
            return true;
    }
    return false;
}

void CMainFrame::UpdateCommandStates()
{
    for (auto& [id, action] : commandActions)
        action->setEnabled(HasHandler(id) && (!activeView || activeView->IsCommandEnabled(id)));
}

QAction* CMainFrame::CommandAction(UINT id) const
{
    const auto it = commandActions.find(id);
    return it == commandActions.end() ? nullptr : it->second;
}

bool CMainFrame::OnCmdMsg(UINT id, bool execute)
{
    switch (id) {
    case ID_APP_EXIT:
        if (execute)
            close();
        return true;
    case res::ID_NEXT_PANE:
    case res::ID_PREV_PANE:
        // One pane only: there is no other pane to move to.
        return true;
    default:
        return false;
    }
}

void CMainFrame::SetMessageText(const QString& text)
{
    if (!messagePane)
        return;
    messagePane->setText(text);
    // Shown at once: a long command sets its progress text and goes on working.
    messagePane->repaint();
}

QString CMainFrame::MessageText() const
{
    return messagePane ? messagePane->text() : QString();
}

void CMainFrame::ShowIdleMessage()
{
    SetMessageText(Text(res::LoadString(res::AFX_IDS_IDLEMESSAGE)));
}

void CMainFrame::UpdateIndicators()
{
    const LockKeyState state = QueryLockKeyState();
    for (LockIndicatorPane* pane : indicators) {
        switch (pane->IndicatorId()) {
        case res::ID_INDICATOR_CAPS: pane->SetOn(state.caps); break;
        case res::ID_INDICATOR_NUM: pane->SetOn(state.num); break;
        case res::ID_INDICATOR_SCRL: pane->SetOn(state.scroll); break;
        default: break;
        }
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == menuBar() && event->type() == QEvent::Leave && frameStatusBar)
        frameStatusBar->clearMessage();
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == indicatorTimer)
        UpdateIndicators();
    else
        QMainWindow::timerEvent(event);
}
