#pragma once
// The application object: settings, start-up (document, frame and view),
// the command line, and the application's own commands (About, File New,
// print setup).
#include "app/CCmdTarget.h"

#include <QStringList>
#include <memory>

class CMainFrame;
class COrvik50Doc;
class COrvik50View;

class ViewerApp : public CCmdTarget {
public:
    ViewerApp();
    ~ViewerApp() override;

    // Start-up: settings key, recent files, document, frame and view, the
    // command line, then the frame shown maximised. `arguments` are the
    // program's arguments without the program name. False ends the program.
    bool InitInstance(const QStringList& arguments);

    CMainFrame* GetMainWnd() const { return frame; }
    COrvik50View* GetView() const { return view; }
    COrvik50Doc* GetDocument() const { return document.get(); }
    // The recent-file list read at start-up (at most four entries).
    const QStringList& RecentFiles() const { return recentFiles; }

    bool OnCmdMsg(UINT id, bool execute) override;
    void OnAppAbout();
    void OnFileNew();

private:
    void LoadStdProfileSettings(int maxRecentFiles);
    // A record file named on the command line opens as Open would open it.
    bool ProcessShellCommand(const QStringList& arguments);

    std::unique_ptr<COrvik50Doc> document;
    CMainFrame* frame = nullptr;     // owned
    COrvik50View* view = nullptr;    // owned by the frame
    QStringList recentFiles;
};
