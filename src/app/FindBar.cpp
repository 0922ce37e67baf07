#include "app/FindBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

// The light red other programs give a search field that finds nothing.
const QColor kNoMatchTint(255, 102, 102);

} // namespace

FindBar::FindBar(QWidget* parent)
    : QWidget(parent)
    , edit(new QLineEdit(this))
    , matchCase(new QCheckBox(QStringLiteral("Match case"), this))
    , result(new QLabel(this))
{
    setAutoFillBackground(true);
    edit->setClearButtonEnabled(true);
    edit->setPlaceholderText(QStringLiteral("Find"));
    edit->setMinimumWidth(220);
    edit->installEventFilter(this);
    auto* next = new QPushButton(QStringLiteral("Next"), this);
    auto* previous = new QPushButton(QStringLiteral("Previous"), this);
    auto* close = new QToolButton(this);
    close->setText(QStringLiteral("Close"));
    close->setAutoRaise(true);
    for (QWidget* button : {static_cast<QWidget*>(next), static_cast<QWidget*>(previous), static_cast<QWidget*>(matchCase)})
        button->setFocusPolicy(Qt::NoFocus);   // the keyboard stays in the line edit

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(edit);
    layout->addWidget(next);
    layout->addWidget(previous);
    layout->addWidget(matchCase);
    layout->addWidget(result, 1);
    layout->addWidget(close);

    connect(edit, &QLineEdit::textChanged, this, &FindBar::SearchChanged);
    connect(matchCase, &QCheckBox::toggled, this, &FindBar::SearchChanged);
    connect(next, &QPushButton::clicked, this, &FindBar::NextRequested);
    connect(previous, &QPushButton::clicked, this, &FindBar::PreviousRequested);
    connect(close, &QToolButton::clicked, this, &FindBar::Close);
    hide();
}

QString FindBar::Text() const
{
    return edit->text();
}

bool FindBar::MatchCase() const
{
    return matchCase->isChecked();
}

QString FindBar::ResultText() const
{
    return result->text();
}

void FindBar::Open()
{
    show();
    edit->setFocus(Qt::ShortcutFocusReason);
    edit->selectAll();
}

void FindBar::ShowResult(const QString& text, bool matched)
{
    result->setText(text);
    QPalette palette = edit->parentWidget()->palette();
    if (!matched)
        palette.setColor(QPalette::Base, kNoMatchTint);
    edit->setPalette(palette);
}

void FindBar::Close()
{
    hide();
    emit Closed();
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    // Enter finds the next match, Shift+Enter the previous one, Esc closes.
    if (watched == edit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            Close();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier)
                emit PreviousRequested();
            else
                emit NextRequested();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
