#pragma once
// The find bar under the record table: the text sought, Next, Previous,
// "Match case" and Close, and where the search stands ("3 of 12",
// "No match"). It only asks; the view searches.
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;

class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(QWidget* parent = nullptr);

    QString Text() const;
    bool MatchCase() const;
    QLineEdit* Edit() const { return edit; }
    QString ResultText() const;
    // Shows the bar with the keyboard in the line edit, its text selected.
    void Open();
    // Shows how the search stands; the line edit is tinted when nothing matches.
    void ShowResult(const QString& text, bool matched);

signals:
    // The text or "Match case" changed: search again from the focus cell.
    void SearchChanged();
    void NextRequested();
    void PreviousRequested();
    // Closed by Close or Esc: the keyboard goes back to the table.
    void Closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Close();

    QLineEdit* edit;
    QCheckBox* matchCase;
    QLabel* result;
};
