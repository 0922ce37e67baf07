#include "app/ViewerApp.h"

#include "app/AboutDialog.h"
#include "app/AppResources.h"
#include "app/CMainFrame.h"
#include "app/COrvik50Doc.h"
#include "app/COrvik50View.h"

#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSettings>

ViewerApp::ViewerApp()
    : document(std::make_unique<COrvik50Doc>())
{
}

ViewerApp::~ViewerApp()
{
    delete frame;
}

bool ViewerApp::InitInstance(const QStringList& arguments)
{
    QCoreApplication::setOrganizationName(QString::fromUtf8(res::kSettingsOrganisation));
    QCoreApplication::setApplicationName(QString::fromUtf8(res::kSettingsApplication));
    LoadStdProfileSettings(res::kRecentFileCount);

    frame = new CMainFrame(document.get(), this);
    if (!frame->LoadFrame())
        return false;
    view = new COrvik50View(frame);
    frame->SetActiveView(view);
    QObject::connect(view, &COrvik50View::StatusTextChanged, frame, &CMainFrame::SetMessageText);
    document->SetView(view);

    if (!ProcessShellCommand(arguments))
        return false;
    frame->showMaximized();
    frame->repaint();
    return true;
}

void ViewerApp::LoadStdProfileSettings(int maxRecentFiles)
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= maxRecentFiles; ++i) {
        const QString file = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!file.isEmpty())
            recentFiles << file;
    }
    settings.endGroup();
}

bool ViewerApp::ProcessShellCommand(const QStringList& arguments)
{
    OnFileNew();
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1Char('-')))
            continue;   // an option, not a file
        // The first file named opens through the view's Open; a file that
        // cannot be read leaves the window empty with the reason in the status bar.
        view->OpenRecordFile(argument);
        break;
    }
    return true;
}

bool ViewerApp::OnCmdMsg(UINT id, bool execute)
{
    switch (id) {
    case ID_APP_ABOUT:
        if (execute)
            OnAppAbout();
        return true;
    case ID_FILE_NEW:
        if (execute)
            OnFileNew();
        return true;
    case ID_FILE_PRINT_SETUP:
        if (execute) {
            QPrinter printer;
            QPageSetupDialog dialog(&printer, frame);
            dialog.exec();
        }
        return true;
    default:
        return false;
    }
}

void ViewerApp::OnAppAbout()
{
    AboutDialog about(frame);
    about.exec();
}

void ViewerApp::OnFileNew()
{
    document->OnNewDocument();
    if (frame)
        frame->ShowIdleMessage();
}
