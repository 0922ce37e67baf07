#include "app/MessageBoxes.h"

#include "app/AppResources.h"
#include "app/StringTable.h"
#include "platform/WinConstants.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon IconOf(unsigned style)
{
    switch (style & MB_ICONMASK) {
    case MB_ICONSTOP: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

void AfxMessageBox(QWidget* parent, const std::string& text, unsigned style)
{
    QMessageBox box(IconOf(style), QString::fromStdString(res::LoadString(res::AFX_IDS_APP_TITLE)),
                    QString::fromStdString(text), QMessageBox::Ok, parent);
    box.exec();
}
