// The viewer's entry point: one QApplication, one ViewerApp.
#include "app/ViewerApp.h"
#include "files/FileModes.h"

#include <QApplication>
#include <QFont>
#include <cstdio>
#include <string_view>

namespace {

void PrintHelp()
{
    std::printf(
        "Usage: orvik50 [FILE.bin]\n"
        "       orvik50 --help | --version\n"
        "\n"
        "Shows the records of a PON optical power meter's record file in a table,\n"
        "saves them as tab- or comma-separated text and prints them. FILE.bin opens\n"
        "at start-up; File > Open and dropping a file on the window open others.\n"
        "Qt's own options (such as -platform) are accepted too.\n");
}

} // namespace

int main(int argc, char** argv)
{
    ProcessUmask();   // before Qt starts threads
    // Answered before any window system is needed, so they work anywhere.
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            PrintHelp();
            return 0;
        }
        if (arg == "--version") {
            std::printf("orvik50 %s\n", ORVIK50_VERSION);
            return 0;
        }
    }

    QApplication application(argc, argv);
    // Ties the windows to the installed menu entry (task bar icon and name).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvik50.Orvik50"));
    // Latin texts in DejaVu Sans, Chinese prompts and tooltips in a CJK face.
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")});
    QApplication::setFont(font);

    ViewerApp app;
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (!app.InitInstance(arguments))
        return 1;
    return QApplication::exec();
}
