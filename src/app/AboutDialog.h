#pragma once
// The About box (dialog 100): the program icon, the version line and OK.
// Enter presses OK, Esc and the close box close it.
#include <QDialog>

class QLabel;
class QPushButton;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    QLabel* VersionLabel() const { return versionLabel; }
    QPushButton* OkButton() const { return okButton; }

private:
    // Pixel rectangle of a control given in dialog units of the dialog's font.
    QRect DialogUnitsToPixels(int x, int y, int width, int height) const;

    QLabel* versionLabel = nullptr;
    QPushButton* okButton = nullptr;
};
