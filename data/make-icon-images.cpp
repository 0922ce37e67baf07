// Writes the program icon as PNG images for the icon theme:
// make-icon-images OUTPUT_FOLDER SIZE... makes OUTPUT_FOLDER/SIZExSIZE/orvik50.png.
#include "app/AppIcons.h"

#include <QDir>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: make-icon-images OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString folder = QStringLiteral("%1x%1").arg(size);
        if (size <= 0 || !output.mkpath(folder)
            || !ProgramIconImage(size).save(output.filePath(folder + QStringLiteral("/orvik50.png")))) {
            std::fprintf(stderr, "make-icon-images: cannot write the %s icon in %s\n", argv[i], argv[1]);
            return 1;
        }
    }
    return 0;
}
