#include "app/AboutDialog.h"

#include "app/AppIcons.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
// The dialog is laid out in dialog units: 174 x 49 for the whole box.
constexpr int kDialogWidthDu = 174;
constexpr int kDialogHeightDu = 49;
} // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Orvik Application System"));
    setModal(true);
    // "宋体" 9 points; fontconfig picks the CJK face that stands in for it.
    QFont dialogFont(QStringLiteral("宋体"), 9);
    dialogFont.setFamilies({QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei"),
                            QStringLiteral("DejaVu Sans")});
    setFont(dialogFont);

    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    icon->setGeometry(DialogUnitsToPixels(8, 13, 21, 21));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    versionLabel = new QLabel(QStringLiteral("Orvik Application System V2.25.En"), this);
    versionLabel->setTextFormat(Qt::PlainText);   // SS_NOPREFIX: no mnemonic
    versionLabel->setGeometry(DialogUnitsToPixels(34, 12, 131, 8));

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setGeometry(DialogUnitsToPixels(71, 25, 32, 14));
    okButton->setDefault(true);
    okButton->setFocus();
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    QSize box = DialogUnitsToPixels(0, 0, kDialogWidthDu, kDialogHeightDu).size();
    // The stand-in face may be wider than the original one: never cut the
    // version line, widen the box instead.
    const int textWidth = versionLabel->fontMetrics().horizontalAdvance(versionLabel->text()) + 2;
    if (textWidth > versionLabel->width()) {
        box.setWidth(box.width() + textWidth - versionLabel->width());
        versionLabel->resize(textWidth, versionLabel->height());
    }
    setFixedSize(box);
}

QRect AboutDialog::DialogUnitsToPixels(int x, int y, int width, int height) const
{
    // One horizontal dialog unit is a quarter of the average character
    // width, one vertical unit an eighth of the character height.
    const QFontMetrics metrics(font());
    const int baseX = std::max(1, metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52);
    const int baseY = std::max(1, metrics.height());
    return QRect(x * baseX / 4, y * baseY / 8, width * baseX / 4, height * baseY / 8);
}
