// The viewer's entry point: one QApplication, one ViewerApp.
#include "app/ViewerApp.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
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
